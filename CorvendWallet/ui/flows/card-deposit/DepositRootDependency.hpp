#pragma once

#include <memory>

#include "CorvendWallet/services/cards/PaymentInstrumentService.hpp"
#include "CorvendWallet/ui/flows/card-deposit/AddCardDependency.hpp"
#include "CorvendWallet/ui/flows/card-deposit/ConfirmCardDependency.hpp"
#include "CorvendWallet/ui/flows/card-deposit/DepositSummaryDependency.hpp"

namespace corvend {

// What the card-deposit flow needs as a whole: what its screens need, and the instrument
// service that reads a saved card.
class DepositRootDependency : public virtual AddCardDependency,
                              public virtual ConfirmCardDependency,
                              public virtual DepositSummaryDependency {
  public:
    // One deposit service serves every screen.
    std::shared_ptr<DepositService> depositService() const override = 0;
    virtual std::shared_ptr<PaymentInstrumentService> paymentInstrumentService() const = 0;
};

}  // namespace corvend
