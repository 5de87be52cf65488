#include "CorvendWallet/services/history/HistoryListParameters.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "CorvendWallet/services/history/GetAuthorizationHistoryParameters.hpp"
#include "CorvendWallet/services/history/GetTransactionHistoryParameters.hpp"

namespace corvend::model {
namespace {

std::vector<std::string> names(const HistoryListParameters& parameters) {
    std::vector<std::string> result;
    for (const auto& item : parameters.queryParams()) result.push_back(item.key);
    return result;
}

// A list's parameters handed on as the shared base still send the list's own filters.
TEST(HistoryListParametersTest, TheSharedBaseKeepsEachListsFilters) {
    const GetTransactionHistoryParameters transactions(1, std::nullopt, std::nullopt, std::nullopt,
                                                       TransactionType::deposit,
                                                       PaymentStatus::completed);
    const GetAuthorizationHistoryParameters authorizations(
        std::nullopt, 2, std::nullopt, std::nullopt, AuthorizationStatus::declined);
    EXPECT_EQ(names(transactions), (std::vector<std::string>{"limit", "type", "status"}));
    EXPECT_EQ(names(authorizations), (std::vector<std::string>{"offset", "status"}));
}

// Without its filters a copy of the base would send a wider query than the host asked for.
static_assert(!std::is_constructible_v<HistoryListParameters, GetTransactionHistoryParameters>);
static_assert(!std::is_constructible_v<HistoryListParameters, std::int64_t, std::int64_t,
                                       platform::Date, platform::Date>);

}  // namespace
}  // namespace corvend::model
