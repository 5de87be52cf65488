#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "CorvendWallet/networking/HTTPQueryParam.hpp"

namespace corvend::model {

// The filters and paging of a deposit, withdrawal or transfer list. Each domain names its
// own parameters type by deriving from this one. Values are stored as given: no check, no
// clamp, no trimming.
class PaymentFlowListParameters {
  public:
    PaymentFlowListParameters(std::optional<std::int64_t> limit,
                              std::optional<std::string> merchantRefNum,
                              std::optional<std::int64_t> offset, std::optional<std::string> slipID)
        : limit_(limit),
          merchantRefNum_(std::move(merchantRefNum)),
          offset_(offset),
          slipID_(std::move(slipID)) {}

    // The largest number of records to return.
    const std::optional<std::int64_t>& limit() const noexcept { return limit_; }
    // Only records with this host reference.
    const std::optional<std::string>& merchantRefNum() const noexcept { return merchantRefNum_; }
    // The number of records to skip.
    const std::optional<std::int64_t>& offset() const noexcept { return offset_; }
    // Only the record with this slip identifier.
    const std::optional<std::string>& slipID() const noexcept { return slipID_; }

    // One item per present field, in the order "limit", "merchantRefNum", "offset", "slipID"
    // (capital I and D, unlike the replies' "slipId"). Integers as decimal text with their
    // sign; zero, negative and empty values are sent like any other. Escaping is left to the
    // URL components.
    std::vector<HTTPQueryParam> queryParams() const;

  private:
    std::optional<std::int64_t> limit_;
    std::optional<std::string> merchantRefNum_;
    std::optional<std::int64_t> offset_;
    std::optional<std::string> slipID_;
};

}  // namespace corvend::model
