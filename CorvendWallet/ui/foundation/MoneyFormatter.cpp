#include "CorvendWallet/ui/foundation/MoneyFormatter.hpp"

#include <limits>

#include "platform/async/ProcessFork.hpp"
#include "platform/foundation/Decimal.hpp"
#include "platform/foundation/NumberFormatter.hpp"

namespace corvend {

std::string MoneyFormatter::format(std::int64_t amount, std::string_view currencyCode) const {
    platform::ProcessFork::checkKitUsable("MoneyFormatter::format");
    const auto formatter = platform::NumberFormatter::currency(
        currencyCode, locale_ ? *locale_ : platform::Locale::current());
    const platform::Decimal value(amount, -formatter.maximumFractionDigits());
    return formatter.string(value).value_or("");
}

std::optional<std::int64_t> MoneyFormatter::checkedSum(std::span<const std::int64_t> amounts) {
    // 128 bits hold any sum of fewer than 2^64 amounts, so only the total is checked.
    __extension__ using Wide = __int128;
    Wide sum = 0;
    for (std::int64_t amount : amounts) sum += amount;
    if (sum < std::numeric_limits<std::int64_t>::min() ||
        sum > std::numeric_limits<std::int64_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(sum);
}

}  // namespace corvend
