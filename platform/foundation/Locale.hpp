#pragma once

#include <functional>
#include <string>

namespace corvend::platform {

// A locale identifier ("en_US", "de_DE") as the device reports it. Formatters take a Locale and
// read `Locale::current()` at each call, so a change of the user's locale shows at once.
//
//   auto text = formatter.string(amount, platform::Locale::current());
//   platform::Locale::setCurrent(platform::Locale("de_DE"));   // host or test
//
// The current locale starts as the process's default locale; it is held under a lock and may be
// read and set from any thread.
class Locale {
  public:
    explicit Locale(std::string identifier);

    // The identifier in ICU's canonical form ("de-DE" reads as "de_DE").
    const std::string& identifier() const { return identifier_; }

    // The user's locale at the moment of the call.
    static Locale current();
    static void setCurrent(Locale locale);

    // Runs `whileHeld` holding the current locale's lock, for tests of a child forked meanwhile.
    static void holdLockForTesting(const std::function<void()>& whileHeld);

    friend bool operator==(const Locale&, const Locale&) = default;

  private:
    std::string identifier_;
};

}  // namespace corvend::platform
