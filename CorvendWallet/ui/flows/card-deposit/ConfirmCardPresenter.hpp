#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/services/cards/CardPaymentInstrument.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositInteractorInput.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositInteractorOutput.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositRouterInput.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositState.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardSubmission.hpp"
#include "CorvendWallet/ui/flows/card-deposit/ConfirmCardViewInput.hpp"
#include "CorvendWallet/ui/flows/card-deposit/ConfirmCardViewOutput.hpp"
#include "CorvendWallet/ui/foundation/AnyValidator.hpp"

namespace corvend {

// The confirm-card screen's logic: shows the saved card, validates the security code, creates
// the deposit with it and reports the screen's one outcome to the flow. Main thread.
class ConfirmCardPresenter : public ConfirmCardViewOutput, public CardDepositInteractorOutput {
  public:
    using CvvValidatorType = AnyValidator<std::string_view, bool>;

    ConfirmCardPresenter(std::weak_ptr<ConfirmCardViewInput> view,
                         std::shared_ptr<CardDepositRouterInput> router,
                         std::shared_ptr<CardDepositInteractorInput> interactor,
                         model::CardPaymentInstrument cardPaymentInstrument,
                         std::vector<CardType> supportedCards,
                         std::function<void(CardDepositState)> completionHandler,
                         std::function<CvvValidatorType(CardType)> cvvValidatorFactory);

    // The saved card's brand: its scheme, `unknown` without one.
    static CardType cardType(const model::CardPaymentInstrument& card);

    // ConfirmCardViewOutput
    void viewDidLoad() override;
    void didTapManageCardsHint() override;
    void didTapSubmit() override;
    void cvvDidChange(const std::optional<std::string>& text) override;
    void didTapCVVHint() override;
    void didTapClose() override;

    // CardDepositInteractorOutput
    void cardDepositDidSucceed(const model::CustomerDeposit& deposit,
                               const CardDetails& cardDetails) override;
    void cardDepositDidFail(const Error& error) override;

  private:
    std::weak_ptr<ConfirmCardViewInput> view_;
    std::shared_ptr<CardDepositRouterInput> router_;
    std::shared_ptr<CardDepositInteractorInput> interactor_;
    model::CardPaymentInstrument cardPaymentInstrument_;
    std::vector<CardType> supportedCards_;
    std::function<CvvValidatorType(CardType)> cvvValidatorFactory_;
    CardSubmission submission_;
};

}  // namespace corvend
