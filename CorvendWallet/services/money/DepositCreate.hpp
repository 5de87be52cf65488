#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "CorvendWallet/models/PaymentProperty.hpp"
#include "CorvendWallet/services/cards/PaymentInstrument.hpp"
#include "CorvendWallet/services/money/PaymentFlowStatusChange.hpp"

namespace corvend::model {

// What the host creates a previewed deposit with (it moves to "PENDING"): its identifier, the
// properties sent with the change and the instrument to charge. Absent properties and an
// absent instrument are simply not sent.
class DepositCreate : public PaymentFlowStatusChange {
  public:
    // `paymentInstrument` may be null: no instrument is sent then.
    DepositCreate(std::string id, std::optional<std::vector<PaymentProperty>> paymentProperties,
                  std::shared_ptr<const PaymentInstrument> paymentInstrument)
        : PaymentFlowStatusChange(std::move(id), std::move(paymentProperties)),
          paymentInstrument_(std::move(paymentInstrument)) {}

    // The instrument to charge, sent in full; null when absent.
    const std::shared_ptr<const PaymentInstrument>& paymentInstrument() const noexcept {
        return paymentInstrument_;
    }

  private:
    std::shared_ptr<const PaymentInstrument> paymentInstrument_;
};

}  // namespace corvend::model
