#include "CorvendWallet/ui/foundation/ExpiryDateValidator.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <limits>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace corvend {
namespace {

using namespace std::chrono;
using Result = ExpiryDateValidationResult;

sys_seconds at(year_month_day day, seconds time = 0s) {
    return sys_days(day) + time;
}

// Checks at the last second of a month and the first of the next, in GMT.
const std::vector<std::tuple<sys_seconds, std::optional<ExpiryDateValidationComponent>, Result>>
    kChecks = {
        {at(2025y / June / 30, 23h + 59min + 59s), {{6, 25}}, Result::valid},
        {at(2025y / June / 30, 23h + 59min + 59s), {{5, 25}}, Result::expired},
        {at(2025y / June / 15), {{1, 26}}, Result::valid},
        {at(2025y / June / 15), {{12, 24}}, Result::expired},
        {at(2025y / June / 15), {{13, 30}}, Result::invalid},
        {at(2025y / June / 15), {{0, 30}}, Result::invalid},
        {at(2025y / June / 15), std::nullopt, Result::invalid},
        {at(2025y / July / 1), {{6, 25}}, Result::expired},
        {at(2025y / July / 1), {{7, 25}}, Result::valid},
        {at(2025y / December / 31, 23h + 59min + 59s), {{12, 25}}, Result::valid},
        {at(2026y / January / 1), {{12, 25}}, Result::expired},
        {at(2026y / January / 1), {{1, 26}}, Result::valid},
        // A year that cannot take the century is no date.
        {at(2025y / June / 15), {{1, std::numeric_limits<std::int64_t>::max()}}, Result::invalid},
        {at(2025y / June / 15),
         {{1, std::numeric_limits<std::int64_t>::max() - 2000}},
         Result::valid},
};

TEST(ExpiryDateValidatorTest, FollowsGMTWhateverTheDeviceZone) {
    const char* saved = std::getenv("TZ");
    const std::optional<std::string> original =
        saved ? std::optional<std::string>(saved) : std::nullopt;
    for (const char* zone : {"UTC", "Pacific/Kiritimati", "Pacific/Pago_Pago"}) {
        setenv("TZ", zone, 1);
        tzset();
        for (const auto& [now, component, expected] : kChecks) {
            const ExpiryDateValidator validator([now] { return system_clock::time_point(now); });
            EXPECT_EQ(validator.validate(component), expected)
                << zone << " " << now.time_since_epoch().count() << " "
                << (component ? component->month : -1) << "/" << (component ? component->year : -1);
        }
    }
    if (original) {
        setenv("TZ", original->c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
}

}  // namespace
}  // namespace corvend
