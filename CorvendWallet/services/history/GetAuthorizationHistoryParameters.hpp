#pragma once

#include <optional>
#include <vector>

#include "CorvendWallet/services/history/AuthorizationStatus.hpp"
#include "CorvendWallet/services/history/HistoryListParameters.hpp"

namespace corvend::model {

// The paging, date range and status filter of the card authorization history.
class GetAuthorizationHistoryParameters final : public HistoryListParameters {
  public:
    GetAuthorizationHistoryParameters(std::optional<std::int64_t> limit,
                                      std::optional<std::int64_t> offset,
                                      std::optional<platform::Date> startDate,
                                      std::optional<platform::Date> endDate,
                                      std::optional<AuthorizationStatus> status)
        : HistoryListParameters(limit, offset, startDate, endDate), status_(status) {}

    // Only authorizations with this outcome.
    const std::optional<AuthorizationStatus>& status() const noexcept { return status_; }

    // The shared items, then "status" by its wire string when present.
    std::vector<HTTPQueryParam> queryParams() const override;

  private:
    std::optional<AuthorizationStatus> status_;
};

}  // namespace corvend::model
