#include "CorvendWallet/foundation/Passkey.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <type_traits>

namespace corvend {
namespace {

class Owned {
  public:
    using Passkey = corvend::Passkey<Owned>;
    static std::shared_ptr<Owned> make() { return std::make_shared<Owned>(Passkey{}, 7); }
    Owned(Passkey, int value) : value(value) {}
    const int value;
};

TEST(PasskeyTest, OnlyItsOwnerMakesOneAndSoTheObject) {
    // Outside the owner no key can be made, not even as `{}`; copies of the owner's one pass.
    static_assert(!std::is_default_constructible_v<Owned::Passkey>);
    static_assert(std::is_copy_constructible_v<Owned::Passkey>);
    EXPECT_EQ(Owned::make()->value, 7);
}

}  // namespace
}  // namespace corvend
