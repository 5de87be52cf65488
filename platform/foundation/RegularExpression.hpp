#pragma once

#include <memory>
#include <string_view>

namespace corvend::platform {

// A compiled regular expression (ICU syntax): case-sensitive, no locale, "^" and "$" at the
// ends of the whole text only. Compile it once and keep it: it is immutable, and searches from
// any number of threads at once are safe.
//
//   static const RegularExpression visa("^4");
//   visa.isFound(number);
class RegularExpression {
  public:
    // Throws std::invalid_argument when `pattern` does not compile.
    explicit RegularExpression(std::string_view pattern);
    ~RegularExpression();
    RegularExpression(RegularExpression&&) noexcept;
    RegularExpression& operator=(RegularExpression&&) noexcept;

    // Whether the pattern matches anywhere in `text` (UTF-8).
    bool isFound(std::string_view text) const;

  private:
    struct Compiled;
    std::unique_ptr<const Compiled> compiled_;
};

}  // namespace corvend::platform
