#include "CorvendWallet/ui/foundation/CvvValidator.hpp"

#include <algorithm>

#include "CorvendWallet/ui/foundation/ValidationProtocol.hpp"
#include "platform/foundation/Unicode.hpp"

namespace corvend {

static_assert(ValidationProtocol<CvvValidator>);

namespace {

constexpr std::size_t kCvvLength = 3;

}  // namespace

// A decimal digit is a character of its own, so three digit scalars are three characters.
bool isValidCVV(const std::optional<std::string_view>& code) {
    if (!code) return false;
    const std::u32string scalars = platform::unicode::scalars(*code);
    return scalars.size() == kCvvLength &&
           std::all_of(scalars.begin(), scalars.end(), platform::unicode::isDecimalDigit);
}

}  // namespace corvend
