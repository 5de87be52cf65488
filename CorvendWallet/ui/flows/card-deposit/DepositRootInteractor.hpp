#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/models/PaymentOptionDetails.hpp"
#include "CorvendWallet/services/cards/PaymentInstrumentService.hpp"
#include "CorvendWallet/services/money/DepositService.hpp"
#include "CorvendWallet/ui/flows/card-deposit/DepositRootInteractorInput.hpp"
#include "CorvendWallet/ui/flows/card-deposit/DepositRootInteractorOutput.hpp"
#include "CorvendWallet/ui/foundation/FlowTask.hpp"

namespace corvend {

// Loads what the flow starts from: the deposit options and the deposit side by side (an
// options failure wins), then, for a deposit naming a saved instrument, that instrument.
// Reports to the presenter, held weakly. Main thread; the reads run in tasks.
class DepositRootInteractor : public DepositRootInteractorInput,
                              public std::enable_shared_from_this<DepositRootInteractor> {
  public:
    DepositRootInteractor(std::shared_ptr<DepositService> depositService,
                          std::shared_ptr<PaymentInstrumentService> paymentInstrumentService,
                          std::string depositID);

    void setOutput(std::weak_ptr<DepositRootInteractorOutput> output) {
        output_ = std::move(output);
    }

    void load() override;
    void cancel() override;

    // The schemes of the first card settings among `options`, in order, duplicates kept.
    static std::vector<CardType> supportedCardTypes(
        const std::vector<model::PaymentOptionDetails>& options);

  private:
    struct Loaded;

    void didLoad(Loaded loaded);
    void fetchInstrument(const model::PaymentInstrumentReference& reference);
    void fail(const Error& error);

    const std::shared_ptr<DepositService> depositService_;
    const std::shared_ptr<PaymentInstrumentService> paymentInstrumentService_;
    const std::string depositID_;
    std::optional<model::CustomerDeposit> savedDeposit_;
    std::vector<CardType> supportedCards_;
    std::shared_ptr<FlowTask> executingTask_;
    std::weak_ptr<DepositRootInteractorOutput> output_;
};

}  // namespace corvend
