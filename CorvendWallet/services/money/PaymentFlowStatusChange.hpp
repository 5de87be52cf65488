#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "CorvendWallet/models/PaymentProperty.hpp"

namespace corvend::model {

// What the create and confirm steps of a deposit, withdrawal or transfer take: the record's
// identifier, as preview returned it, and the properties sent with the status change. Each
// domain names its own create and confirm types by deriving from this one. Stored as given.
class PaymentFlowStatusChange {
  public:
    PaymentFlowStatusChange(std::string id,
                            std::optional<std::vector<PaymentProperty>> paymentProperties)
        : id_(std::move(id)), paymentProperties_(std::move(paymentProperties)) {}

    const std::string& id() const noexcept { return id_; }
    // Absent and empty differ on the wire: absent leaves the key out, empty sends [].
    const std::optional<std::vector<PaymentProperty>>& paymentProperties() const noexcept {
        return paymentProperties_;
    }

  private:
    std::string id_;
    std::optional<std::vector<PaymentProperty>> paymentProperties_;
};

}  // namespace corvend::model
