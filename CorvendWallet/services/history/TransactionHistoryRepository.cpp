#include "CorvendWallet/services/history/TransactionHistoryRepository.hpp"

#include <stdexcept>
#include <utility>

#include "CorvendWallet/foundation/AskedRecord.hpp"

namespace corvend {

TransactionHistoryRepository::TransactionHistoryRepository(
    std::shared_ptr<Networkable> networkManager, TransactionHistoryMapper mapper)
    : networkManager_(std::move(networkManager)), mapper_(std::move(mapper)) {
    if (!networkManager_ || !mapper_.mapTransaction || !mapper_.mapTransactionList) {
        throw std::invalid_argument(
            "TransactionHistoryRepository needs a network manager and both mapping functions");
    }
}

std::shared_ptr<TransactionHistoryRepository> TransactionHistoryRepository::make(
    std::shared_ptr<Networkable> networkManager, TransactionHistoryMapper mapper) {
    return std::make_shared<TransactionHistoryRepository>(std::move(networkManager),
                                                          std::move(mapper));
}

model::TransactionList TransactionHistoryRepository::doGetTransactionHistory(
    const std::optional<model::GetTransactionHistoryParameters>& parameters) {
    return mapper_.mapTransactionList(
        networkManager_->request(TransactionHistoryServiceEndpoint::transactions(parameters)));
}

model::Transaction TransactionHistoryRepository::doGetTransaction(
    const std::string& transactionID) {
    return askedRecord(transactionID,
                       mapper_.mapTransaction(networkManager_->request(
                           TransactionHistoryServiceEndpoint::transaction(transactionID))),
                       &model::Transaction::id);
}

}  // namespace corvend
