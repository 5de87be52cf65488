#pragma once

#include <optional>
#include <vector>

#include "CorvendWallet/models/PaymentStatus.hpp"
#include "CorvendWallet/services/history/HistoryListParameters.hpp"
#include "CorvendWallet/services/history/TransactionType.hpp"

namespace corvend::model {

// The paging, date range and filters of the transaction history.
class GetTransactionHistoryParameters final : public HistoryListParameters {
  public:
    GetTransactionHistoryParameters(std::optional<std::int64_t> limit,
                                    std::optional<std::int64_t> offset,
                                    std::optional<platform::Date> startDate,
                                    std::optional<platform::Date> endDate,
                                    std::optional<TransactionType> type,
                                    std::optional<PaymentStatus> status)
        : HistoryListParameters(limit, offset, startDate, endDate), type_(type), status_(status) {}

    // Only transactions of this kind.
    const std::optional<TransactionType>& type() const noexcept { return type_; }
    // Only transactions in this status.
    const std::optional<PaymentStatus>& status() const noexcept { return status_; }

    // The shared items, then "type" and "status" by their wire strings when present.
    std::vector<HTTPQueryParam> queryParams() const override;

  private:
    std::optional<TransactionType> type_;
    std::optional<PaymentStatus> status_;
};

}  // namespace corvend::model
