#pragma once

namespace corvend {

// A constructor argument that only `Owner` can make: a public constructor taking it can be
// reached through std::make_shared from the owner's factory, and from nowhere else.
//
//   class Screen {
//     public:
//       using Passkey = corvend::Passkey<Screen>;
//       static std::shared_ptr<Screen> make() { return std::make_shared<Screen>(Passkey{}); }
//       explicit Screen(Passkey);
//   };
template <class Owner>
class Passkey {
    friend Owner;
    Passkey() = default;
};

}  // namespace corvend
