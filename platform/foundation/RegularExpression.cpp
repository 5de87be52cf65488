#include "platform/foundation/RegularExpression.hpp"

#include <unicode/regex.h>
#include <unicode/unistr.h>

#include <cstdint>
#include <stdexcept>
#include <string>

namespace corvend::platform {

// The pattern is never used to match: each search takes a matcher of its own from it, which is
// what makes concurrent searches safe.
struct RegularExpression::Compiled {
    std::unique_ptr<icu::RegexPattern> pattern;
};

RegularExpression::RegularExpression(std::string_view pattern) {
    UErrorCode status = U_ZERO_ERROR;
    UParseError error{};
    std::unique_ptr<icu::RegexPattern> compiled(
        icu::RegexPattern::compile(icu::UnicodeString::fromUTF8(icu::StringPiece(
                                       pattern.data(), static_cast<std::int32_t>(pattern.size()))),
                                   0, error, status));
    if (U_FAILURE(status) || !compiled) {
        throw std::invalid_argument("invalid regular expression \"" + std::string(pattern) +
                                    "\": " + u_errorName(status));
    }
    compiled_ = std::make_unique<const Compiled>(Compiled{std::move(compiled)});
}

RegularExpression::~RegularExpression() = default;
RegularExpression::RegularExpression(RegularExpression&&) noexcept = default;
RegularExpression& RegularExpression::operator=(RegularExpression&&) noexcept = default;

bool RegularExpression::isFound(std::string_view text) const {
    const icu::UnicodeString input = icu::UnicodeString::fromUTF8(
        icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())));
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::RegexMatcher> matcher(compiled_->pattern->matcher(input, status));
    if (U_FAILURE(status) || !matcher) return false;
    const bool found = matcher->find(status);
    return U_SUCCESS(status) && found;
}

}  // namespace corvend::platform
