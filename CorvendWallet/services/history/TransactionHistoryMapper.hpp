#pragma once

#include <functional>

#include "CorvendWallet/services/history/TransactionHistoryServiceEndpoint.hpp"
#include "CorvendWallet/services/history/TransactionList.hpp"

namespace corvend {

// How the transaction-history repository turns replies into public models: a record of two
// functions, so a host or a test can put its own in. standard() holds the kit's.
struct TransactionHistoryMapper {
    std::function<model::Transaction(TransactionHistoryServiceEndpoint::TransactionResponse)>
        mapTransaction;
    std::function<model::TransactionList(
        TransactionHistoryServiceEndpoint::TransactionListResponse)>
        mapTransactionList;

    // The kit's mapping: texts the kit does not know read as `unknown`, absent fees as an empty
    // list, an absent paging block as one with every field absent; nothing fails.
    static TransactionHistoryMapper standard();

    // Both take the reply by value and move its texts into the public model.
    static model::Transaction transaction(
        TransactionHistoryServiceEndpoint::TransactionResponse response);
    static model::TransactionList transactionList(
        TransactionHistoryServiceEndpoint::TransactionListResponse response);

    // transaction() moving out of `response` in place: a page maps its records without a
    // by-value copy of each.
    static model::Transaction takeTransaction(
        TransactionHistoryServiceEndpoint::TransactionResponse& response);
};

}  // namespace corvend
