#pragma once

#include <memory>

#include "CorvendWallet/services/money/DepositCreate.hpp"
#include "CorvendWallet/services/money/DepositService.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositInteractorInput.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositInteractorOutput.hpp"
#include "CorvendWallet/ui/foundation/FlowTask.hpp"

namespace corvend {

// Turns a card screen's input into the deposit's create step and reports its outcome to the
// screen's presenter (held weakly). Main thread; the step itself runs in a task.
//
//   auto interactor = std::make_shared<CardDepositInteractor>(depositService, deposit);
//   interactor->setOutput(presenter);
//   interactor->deposit(input, /*isNewCard=*/true);
class CardDepositInteractor : public CardDepositInteractorInput,
                              public std::enable_shared_from_this<CardDepositInteractor> {
  public:
    CardDepositInteractor(std::shared_ptr<DepositService> depositService,
                          model::CustomerDeposit deposit);

    void setOutput(std::weak_ptr<CardDepositInteractorOutput> output) {
        output_ = std::move(output);
    }

    void deposit(const CardDepositInput& input, bool isNewCard) override;
    void cancel() override;

    // The create request: the security code, and for a new card the save choice ("true" or
    // "false") and the card itself.
    model::DepositCreate makeDepositCreate(const CardDepositInput& input, bool isNewCard) const;
    // The brand's logo and the label followed by " *" and the number's last four characters
    // (user-perceived ones, whole).
    static CardDetails makeCardDetails(const CardDepositInput& input);

  private:
    void startDeposit(model::DepositCreate request, CardDetails cardDetails);

    const std::shared_ptr<DepositService> depositService_;
    const model::CustomerDeposit deposit_;
    std::weak_ptr<CardDepositInteractorOutput> output_;
    std::shared_ptr<FlowTask> executingTask_;
};

}  // namespace corvend
