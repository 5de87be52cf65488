#pragma once

#include <memory>

#include "CorvendWallet/ui/flows/card-deposit/DepositRootDependency.hpp"

namespace corvend {

// The one dependency object of the card-deposit flow: every screen's builder holds it.
class CardDepositComponent : public DepositRootDependency {
  public:
    CardDepositComponent(std::shared_ptr<DepositService> depositService,
                         std::shared_ptr<PaymentInstrumentService> paymentInstrumentService)
        : depositService_(std::move(depositService)),
          paymentInstrumentService_(std::move(paymentInstrumentService)) {}

    std::shared_ptr<DepositService> depositService() const override { return depositService_; }
    std::shared_ptr<PaymentInstrumentService> paymentInstrumentService() const override {
        return paymentInstrumentService_;
    }

  private:
    const std::shared_ptr<DepositService> depositService_;
    const std::shared_ptr<PaymentInstrumentService> paymentInstrumentService_;
};

}  // namespace corvend
