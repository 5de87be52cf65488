#include "CorvendWallet/services/history/TransactionHistoryServiceEndpoint.hpp"

#include "CorvendWallet/networking/JSONEndpoints.hpp"
#include "CorvendWallet/networking/PathSegment.hpp"

namespace corvend::TransactionHistoryServiceEndpoint {

Endpoint<TransactionListResponse> transactions(
    const std::optional<model::GetTransactionHistoryParameters>& parameters) {
    return jsonGetEndpoint<TransactionListResponse>(
        kTransactionsPath, parameters ? parameters->queryParams() : std::vector<HTTPQueryParam>{});
}

Endpoint<TransactionResponse> transaction(std::string_view id) {
    return jsonGetEndpoint<TransactionResponse>(std::string(kTransactionsPath) + "/" +
                                                pathSegment(id));
}

}  // namespace corvend::TransactionHistoryServiceEndpoint
