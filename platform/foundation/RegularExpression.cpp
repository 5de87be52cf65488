#include "platform/foundation/RegularExpression.hpp"

#include <unicode/regex.h>
#include <unicode/unistr.h>

#include <cstdint>
#include <mutex>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace corvend::platform {

// A matcher serves one search at a time: each search takes an idle one (or makes one) and gives
// it back, so concurrent searches never share one and a search rarely pays for making one.
struct RegularExpression::Compiled {
    std::unique_ptr<icu::RegexPattern> pattern;
    mutable std::mutex mutex;
    mutable std::vector<std::unique_ptr<icu::RegexMatcher>> idle;
    // What an idle matcher points at, so none keeps a searched text that is gone.
    const icu::UnicodeString nothing;

    std::unique_ptr<icu::RegexMatcher> take() const {
        {
            std::lock_guard lock(mutex);
            if (!idle.empty()) {
                auto matcher = std::move(idle.back());
                idle.pop_back();
                return matcher;
            }
        }
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::RegexMatcher> matcher(pattern->matcher(nothing, status));
        return U_SUCCESS(status) ? std::move(matcher) : nullptr;
    }

    void giveBack(std::unique_ptr<icu::RegexMatcher> matcher) const {
        matcher->reset(nothing);
        std::lock_guard lock(mutex);
        idle.push_back(std::move(matcher));
    }
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
    auto made = std::make_unique<Compiled>();
    made->pattern = std::move(compiled);
    compiled_ = std::move(made);
}

RegularExpression::~RegularExpression() = default;
RegularExpression::RegularExpression(RegularExpression&&) noexcept = default;
RegularExpression& RegularExpression::operator=(RegularExpression&&) noexcept = default;

bool RegularExpression::isFound(std::string_view text) const {
    const icu::UnicodeString input = icu::UnicodeString::fromUTF8(
        icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())));
    std::unique_ptr<icu::RegexMatcher> matcher = compiled_->take();
    if (!matcher) return false;
    UErrorCode status = U_ZERO_ERROR;
    matcher->reset(input);
    const bool found = matcher->find(status);
    compiled_->giveBack(std::move(matcher));
    return U_SUCCESS(status) && found;
}

}  // namespace corvend::platform
