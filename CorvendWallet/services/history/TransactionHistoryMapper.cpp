#include "CorvendWallet/services/history/TransactionHistoryMapper.hpp"

namespace corvend {

TransactionHistoryMapper TransactionHistoryMapper::standard() {
    return {.mapTransaction = &transaction, .mapTransactionList = &transactionList};
}

model::Transaction TransactionHistoryMapper::transaction(
    const TransactionHistoryServiceEndpoint::TransactionResponse& response) {
    model::Transaction transaction;
    transaction.id_ = response.id;
    transaction.type_ = model::fromWire<model::TransactionType>(response.type);
    transaction.status_ = model::fromWire<model::PaymentStatus>(response.status);
    transaction.amount_ = response.amount;
    transaction.currencyCode_ = response.currencyCode;
    transaction.creationTime_ = response.creationTime;
    transaction.paymentID_ = response.paymentId;
    transaction.merchantRefNum_ = response.merchantRefNum;
    transaction.fees_ = toSimpleFeePayments(response.fees);
    if (response.fxAmount) transaction.fxAmount_ = toFxAmount(*response.fxAmount);
    if (response.transferDetails) {
        transaction.transferDetails_ = toTransferDetails(*response.transferDetails);
    }
    return transaction;
}

model::TransactionList TransactionHistoryMapper::transactionList(
    const TransactionHistoryServiceEndpoint::TransactionListResponse& response) {
    model::TransactionList list;
    list.transactions_.reserve(response.transactions.size());
    for (const auto& record : response.transactions)
        list.transactions_.push_back(transaction(record));
    if (response.meta) list.meta_ = toPagingResultMeta(*response.meta);
    return list;
}

}  // namespace corvend
