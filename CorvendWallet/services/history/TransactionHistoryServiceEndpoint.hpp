#pragma once

#include <boost/describe.hpp>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CorvendWallet/models/FxAmountModel.hpp"
#include "CorvendWallet/models/PagingResultMetaModel.hpp"
#include "CorvendWallet/models/SimpleFeePaymentModel.hpp"
#include "CorvendWallet/models/TransferDetailsModel.hpp"
#include "CorvendWallet/networking/Endpoint.hpp"
#include "CorvendWallet/services/history/GetTransactionHistoryParameters.hpp"
#include "platform/foundation/Date.hpp"

// The wire side of the transaction history: its JSON models and REST calls.
namespace corvend::TransactionHistoryServiceEndpoint {

inline constexpr std::string_view kTransactionsPath = "digitalwallets/v1/profile/transactions";

// One transaction. Read only; "id", "type", "status", "amount", "currencyCode" and
// "creationTime" required, the type and status kept as text.
struct TransactionResponse {
    std::string id;
    std::string type;
    std::string status;
    std::int64_t amount = 0;
    std::string currencyCode;
    platform::Date creationTime;
    std::optional<std::string> paymentId{};
    std::optional<std::string> merchantRefNum{};
    std::optional<std::vector<SimpleFeePaymentModel>> fees{};
    std::optional<FxAmountModel> fxAmount{};
    std::optional<TransferDetailsModel> transferDetails{};

    friend bool operator==(const TransactionResponse&, const TransactionResponse&) = default;
};
BOOST_DESCRIBE_STRUCT(TransactionResponse, (),
                      (id, type, status, amount, currencyCode, creationTime, paymentId,
                       merchantRefNum, fees, fxAmount, transferDetails))

// One page. Read only; a missing "transactions" is an empty page (as for deposits; the
// withdrawal and transfer pages require their lists).
struct TransactionListResponse {
    std::optional<std::vector<TransactionResponse>> transactions{};
    std::optional<PagingResultMetaModel> meta{};

    friend bool operator==(const TransactionListResponse&,
                           const TransactionListResponse&) = default;
};
BOOST_DESCRIBE_STRUCT(TransactionListResponse, (), (transactions, meta))

// GET kTransactionsPath with the parameters' query items, none when absent.
Endpoint<TransactionListResponse> transactions(
    const std::optional<model::GetTransactionHistoryParameters>& parameters);

// GET kTransactionsPath + "/" + `id` as one path segment: throws model::WalletError
// internalError "I0001" for "", "." and "..", before anything is sent.
Endpoint<TransactionResponse> transaction(std::string_view id);

}  // namespace corvend::TransactionHistoryServiceEndpoint
