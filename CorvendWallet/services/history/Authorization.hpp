#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/models/SimpleFeePayment.hpp"
#include "CorvendWallet/services/history/AuthorizationStatus.hpp"
#include "platform/foundation/Date.hpp"

namespace corvend {
struct AuthorizationHistoryMapper;
}  // namespace corvend

namespace corvend::model {

// One authorization request of a merchant on one of the customer's prepaid cards. Only the kit
// makes one, from the service's reply; its identity is id().
class Authorization {
  public:
    const std::string& id() const noexcept { return id_; }
    const std::string& cardID() const noexcept { return cardID_; }
    // `unknown` for a status the kit does not know.
    AuthorizationStatus status() const noexcept { return status_; }
    // Minor units of currencyCode().
    std::int64_t amount() const noexcept { return amount_; }
    const std::string& currencyCode() const noexcept { return currencyCode_; }
    const platform::Date& creationTime() const noexcept { return creationTime_; }
    const std::optional<std::string>& merchantName() const noexcept { return merchantName_; }
    // In the reply's order; empty when the service names none.
    const std::vector<SimpleFeePayment>& fees() const noexcept { return fees_; }

    friend bool operator==(const Authorization&, const Authorization&) = default;

  private:
    friend struct corvend::AuthorizationHistoryMapper;

    Authorization() = default;

    std::string id_;
    std::string cardID_;
    AuthorizationStatus status_ = AuthorizationStatus::unknown;
    std::int64_t amount_ = 0;
    std::string currencyCode_;
    platform::Date creationTime_;
    std::optional<std::string> merchantName_;
    std::vector<SimpleFeePayment> fees_;
};

}  // namespace corvend::model
