#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/services/cards/PaymentInstrument.hpp"
#include "platform/foundation/Date.hpp"

namespace corvend {
class ProfileMapping;
}  // namespace corvend

namespace corvend::model {

// One currency account of the customer, with the payment instruments attached to it. Only the
// kit makes one, from the service's reply; its identity is id().
class Account {
  public:
    const std::string& id() const noexcept { return id_; }
    const std::string& currencyCode() const noexcept { return currencyCode_; }
    // Minor units of currencyCode().
    const std::optional<std::int64_t>& availableBalance() const noexcept {
        return availableBalance_;
    }
    const std::optional<std::int64_t>& totalBalance() const noexcept { return totalBalance_; }
    const std::optional<std::string>& customerID() const noexcept { return customerID_; }
    const std::optional<std::string>& externalID() const noexcept { return externalID_; }
    const std::optional<platform::Date>& creationTime() const noexcept { return creationTime_; }
    // In the reply's order, never absent; entries the kit cannot read as an instrument are
    // left out.
    const std::vector<std::shared_ptr<const PaymentInstrument>>& instruments() const noexcept {
        return instruments_;
    }

  private:
    friend class corvend::ProfileMapping;

    Account() = default;

    std::string id_;
    std::string currencyCode_;
    std::optional<std::int64_t> availableBalance_;
    std::optional<std::int64_t> totalBalance_;
    std::optional<std::string> customerID_;
    std::optional<std::string> externalID_;
    std::optional<platform::Date> creationTime_;
    std::vector<std::shared_ptr<const PaymentInstrument>> instruments_;
};

}  // namespace corvend::model
