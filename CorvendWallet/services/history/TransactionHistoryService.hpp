#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "CorvendWallet/foundation/CompletionBridge.hpp"
#include "CorvendWallet/services/history/GetTransactionHistoryParameters.hpp"
#include "CorvendWallet/services/history/Transaction.hpp"
#include "CorvendWallet/services/history/TransactionList.hpp"

namespace corvend {

// The customer's transaction history: one page at a time, or one transaction. The shape of the
// operations and their contract: see runServiceOperation.
class TransactionHistoryService : public std::enable_shared_from_this<TransactionHistoryService> {
  public:
    using ListCompletion = std::function<void(Result<model::TransactionList>)>;
    using TransactionCompletion = std::function<void(Result<model::Transaction>)>;

    virtual ~TransactionHistoryService() = default;

    // One page; absent parameters ask for the service's default page without filters.
    model::TransactionList getTransactionHistory(
        const std::optional<model::GetTransactionHistoryParameters>& parameters) {
        return callServiceOperation(*this, &TransactionHistoryService::doGetTransactionHistory,
                                    parameters);
    }
    std::shared_ptr<WalletOperationHandle> getTransactionHistory(
        std::optional<model::GetTransactionHistoryParameters> parameters,
        ListCompletion completion) {
        return runServiceOperation(shared_from_this(),
                                   &TransactionHistoryService::doGetTransactionHistory,
                                   std::move(completion), std::move(parameters));
    }

    // The transaction `transactionID`.
    model::Transaction getTransaction(const std::string& transactionID) {
        return callServiceOperation(*this, &TransactionHistoryService::doGetTransaction,
                                    transactionID);
    }
    std::shared_ptr<WalletOperationHandle> getTransaction(std::string transactionID,
                                                          TransactionCompletion completion) {
        return runServiceOperation(shared_from_this(), &TransactionHistoryService::doGetTransaction,
                                   std::move(completion), std::move(transactionID));
    }

  protected:
    TransactionHistoryService() = default;
    TransactionHistoryService(const TransactionHistoryService&) = default;
    TransactionHistoryService& operator=(const TransactionHistoryService&) = default;

  private:
    virtual model::TransactionList doGetTransactionHistory(
        const std::optional<model::GetTransactionHistoryParameters>& parameters) = 0;
    virtual model::Transaction doGetTransaction(const std::string& transactionID) = 0;
};

}  // namespace corvend
