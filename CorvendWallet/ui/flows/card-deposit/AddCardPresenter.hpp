#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/ui/flows/card-deposit/AddCardViewInput.hpp"
#include "CorvendWallet/ui/flows/card-deposit/AddCardViewOutput.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositInteractorInput.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositInteractorOutput.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositRouterInput.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositState.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardSubmission.hpp"
#include "CorvendWallet/ui/foundation/AnyValidator.hpp"
#include "CorvendWallet/ui/foundation/CardNumberValidator.hpp"
#include "CorvendWallet/ui/foundation/ExpiryDateValidator.hpp"

namespace corvend {

// The add-card screen's logic: validates each edit into the fields' bottom texts, enables the
// submit button only while the three card fields are valid, hands the card to the interactor
// and reports the screen's one outcome to the flow. Main thread.
class AddCardPresenter : public AddCardViewOutput, public CardDepositInteractorOutput {
  public:
    using ExpiryDateValidatorType =
        AnyValidator<ExpiryDateValidationComponent, ExpiryDateValidationResult>;
    using CardNumberValidatorType = AnyValidator<std::string_view, CardNumberValidationResult>;
    using CvvValidatorType = AnyValidator<std::string_view, bool>;

    struct Validators {
        ExpiryDateValidatorType expiryDate;
        CardNumberValidatorType cardNumber;
        std::function<CvvValidatorType(CardType)> cvvFactory;
    };

    AddCardPresenter(std::weak_ptr<AddCardViewInput> view,
                     std::shared_ptr<CardDepositInteractorInput> interactor,
                     std::shared_ptr<CardDepositRouterInput> router,
                     std::vector<CardType> supportedCards,
                     std::function<void(CardDepositState)> completionHandler,
                     Validators validators);

    // The rules of the card screens: the expiry check against today, the number against
    // `supportedCards`, three digits for the security code.
    static Validators defaultValidators(const std::vector<CardType>& supportedCards);

    // AddCardViewOutput
    void viewDidLoad() override;
    void cardNumberDidChange(const std::optional<std::string>& text) override;
    void expiryDateDidChange(const std::optional<std::string>& text) override;
    void cvvDidChange(const std::optional<std::string>& text) override;
    void updateSubmitButtonState() override;
    void cardLabelDidChange(const std::optional<std::string>& text) override;
    void saveCardDetailsDidChange(bool saved) override;
    void didTapSubmit() override;
    void didTapCVVHint() override;
    void didTapManageCardsHint() override;
    void didTapSaveCardsHint() override;
    void didTapClose() override;

    // CardDepositInteractorOutput
    void cardDepositDidSucceed(const model::CustomerDeposit& deposit,
                               const CardDetails& cardDetails) override;
    void cardDepositDidFail(const Error& error) override;

  private:
    std::weak_ptr<AddCardViewInput> view_;
    std::shared_ptr<CardDepositInteractorInput> interactor_;
    std::shared_ptr<CardDepositRouterInput> router_;
    std::vector<CardType> supportedCards_;
    Validators validators_;
    CardSubmission submission_;
};

}  // namespace corvend
