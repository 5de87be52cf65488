#pragma once

#include <vector>

#include "CorvendWallet/models/PagingResultMeta.hpp"
#include "CorvendWallet/services/history/Transaction.hpp"

namespace corvend::model {

// One page of the transaction history. Only the kit makes it.
class TransactionList {
  public:
    // In the order of the reply.
    const std::vector<Transaction>& transactions() const noexcept { return transactions_; }
    // Always present: every field absent when the service sent no paging block.
    const PagingResultMeta& meta() const noexcept { return meta_; }

    friend bool operator==(const TransactionList&, const TransactionList&) = default;

  private:
    friend struct corvend::TransactionHistoryMapper;

    TransactionList() = default;

    std::vector<Transaction> transactions_;
    PagingResultMeta meta_;
};

}  // namespace corvend::model
