#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "CorvendWallet/networking/HTTPQueryParam.hpp"
#include "platform/foundation/Date.hpp"

namespace corvend::model {

// The paging and date range that both history lists take; each list adds its own filters by
// deriving from it. Values are stored as given: no check, no clamp.
//
// Only a list's own parameters exist: the base is neither made nor copied alone, and its
// queryParams() is overridden, so parameters handed on as the base never lose their filters.
class HistoryListParameters {
  public:
    // The largest number of records to return.
    const std::optional<std::int64_t>& limit() const noexcept { return limit_; }
    // The number of records to skip.
    const std::optional<std::int64_t>& offset() const noexcept { return offset_; }
    // Only records created at or after this instant.
    const std::optional<platform::Date>& startDate() const noexcept { return startDate_; }
    // Only records created before this instant.
    const std::optional<platform::Date>& endDate() const noexcept { return endDate_; }

    // One item per present field, in the order "limit", "offset", "startDate", "endDate":
    // integers as decimal text, instants as RFC 3339 UTC with milliseconds; each list appends
    // its filters.
    virtual std::vector<HTTPQueryParam> queryParams() const;

  protected:
    HistoryListParameters(std::optional<std::int64_t> limit, std::optional<std::int64_t> offset,
                          std::optional<platform::Date> startDate,
                          std::optional<platform::Date> endDate)
        : limit_(limit), offset_(offset), startDate_(startDate), endDate_(endDate) {}
    HistoryListParameters(const HistoryListParameters&) = default;
    HistoryListParameters& operator=(const HistoryListParameters&) = default;
    ~HistoryListParameters() = default;

  private:
    std::optional<std::int64_t> limit_;
    std::optional<std::int64_t> offset_;
    std::optional<platform::Date> startDate_;
    std::optional<platform::Date> endDate_;
};

}  // namespace corvend::model
