#include "CorvendWallet/ui/foundation/ExpiryDateValidator.hpp"

#include <utility>

#include "CorvendWallet/ui/foundation/ValidationProtocol.hpp"

namespace corvend {

static_assert(ValidationProtocol<ExpiryDateValidator>);

namespace {

constexpr std::int64_t kCentury = 2000;

}  // namespace

ExpiryDateValidator::ExpiryDateValidator(Clock clock) : clock_(std::move(clock)) {}

ExpiryDateValidationResult ExpiryDateValidator::validate(
    const std::optional<ExpiryDateValidationComponent>& component) const {
    if (!component) return ExpiryDateValidationResult::invalid;
    std::int64_t fullYear = 0;
    // A year that cannot take the century names no date.
    if (__builtin_add_overflow(component->year, kCentury, &fullYear)) {
        return ExpiryDateValidationResult::invalid;
    }
    if (component->month < 1 || component->month > 12) return ExpiryDateValidationResult::invalid;

    // system_clock counts UTC, so the civil date of its days is the date in GMT.
    const std::chrono::year_month_day today(std::chrono::floor<std::chrono::days>(clock_()));
    const std::int64_t year = static_cast<int>(today.year());
    const std::int64_t month = static_cast<unsigned>(today.month());
    if (year != fullYear) {
        return year < fullYear ? ExpiryDateValidationResult::valid
                               : ExpiryDateValidationResult::expired;
    }
    return month > component->month ? ExpiryDateValidationResult::expired
                                    : ExpiryDateValidationResult::valid;
}

}  // namespace corvend
