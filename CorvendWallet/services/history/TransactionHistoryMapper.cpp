#include "CorvendWallet/services/history/TransactionHistoryMapper.hpp"

#include <utility>

namespace corvend {

TransactionHistoryMapper TransactionHistoryMapper::standard() {
    return {.mapTransaction = &transaction, .mapTransactionList = &transactionList};
}

model::Transaction TransactionHistoryMapper::transaction(
    TransactionHistoryServiceEndpoint::TransactionResponse response) {
    return takeTransaction(response);
}

model::Transaction TransactionHistoryMapper::takeTransaction(
    TransactionHistoryServiceEndpoint::TransactionResponse& response) {
    model::Transaction transaction;
    transaction.id_ = std::move(response.id);
    transaction.type_ = model::fromWire<model::TransactionType>(response.type);
    transaction.status_ = model::fromWire<model::PaymentStatus>(response.status);
    transaction.amount_ = response.amount;
    transaction.currencyCode_ = std::move(response.currencyCode);
    transaction.creationTime_ = response.creationTime;
    transaction.paymentID_ = std::move(response.paymentId);
    transaction.merchantRefNum_ = std::move(response.merchantRefNum);
    transaction.fees_ = toSimpleFeePayments(response.fees);
    if (response.fxAmount) transaction.fxAmount_ = toFxAmount(*response.fxAmount);
    if (response.transferDetails) {
        transaction.transferDetails_ = toTransferDetails(*response.transferDetails);
    }
    return transaction;
}

model::TransactionList TransactionHistoryMapper::transactionList(
    TransactionHistoryServiceEndpoint::TransactionListResponse response) {
    model::TransactionList list;
    if (response.transactions) {
        list.transactions_.reserve(response.transactions->size());
        for (auto& record : *response.transactions) {
            list.transactions_.push_back(takeTransaction(record));
        }
    }
    if (response.meta) list.meta_ = toPagingResultMeta(*response.meta);
    return list;
}

}  // namespace corvend
