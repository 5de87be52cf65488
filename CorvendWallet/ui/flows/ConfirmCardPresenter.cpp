#include "CorvendWallet/ui/flows/ConfirmCardPresenter.hpp"

#include <utility>

#include "CorvendWallet/ui/flows/CardDepositHints.hpp"
#include "CorvendWallet/ui/foundation/CVVAndExpiryDateView.hpp"
#include "CorvendWallet/ui/foundation/CardFieldInput.hpp"
#include "CorvendWallet/ui/foundation/ExpiryDateValidationComponent.hpp"
#include "CorvendWallet/ui/foundation/LocalizedStrings.hpp"

namespace corvend {

namespace {

constexpr int kCvvLength = 3;
// A saved card's expiry is never shown.
constexpr const char* kMaskedExpiry = "**/**";

}  // namespace

ConfirmCardPresenter::ConfirmCardPresenter(
    std::weak_ptr<ConfirmCardViewInput> view, std::shared_ptr<CardDepositRouterInput> router,
    std::shared_ptr<CardDepositInteractorInput> interactor,
    model::CardPaymentInstrument cardPaymentInstrument, std::vector<CardType> supportedCards,
    std::function<void(CardDepositState)> completionHandler,
    std::function<CvvValidatorType(CardType)> cvvValidatorFactory)
    : view_(std::move(view)),
      router_(std::move(router)),
      interactor_(std::move(interactor)),
      cardPaymentInstrument_(std::move(cardPaymentInstrument)),
      supportedCards_(std::move(supportedCards)),
      completionHandler_(std::move(completionHandler)),
      cvvValidatorFactory_(std::move(cvvValidatorFactory)) {}

CardType ConfirmCardPresenter::cardType(const model::CardPaymentInstrument& card) {
    if (!card.cardScheme()) return CardType::unknown;
    switch (*card.cardScheme()) {
        case model::CardScheme::mastercard:
            return CardType::masterCard;
        case model::CardScheme::visa:
            return CardType::visa;
        case model::CardScheme::unknown:
            break;
    }
    return CardType::unknown;
}

void ConfirmCardPresenter::viewDidLoad() {
    const auto view = view_.lock();
    if (!view) return;
    view->updateViewModel([this](ConfirmCardViewModel& model) {
        model = {{cardPaymentInstrument_.pan(), cardType(cardPaymentInstrument_)},
                 {kMaskedExpiry},
                 AddCardViewModel::initialCvv(),
                 {cardPaymentInstrument_.description()}};
    });
    AddCardBottomViewModel bottom{.images = {},
                                  .buttonTitle = localizedFormatted("continue_button")};
    for (const CardType type : supportedCards_) bottom.images.push_back(type.logo());
    view->setBottomViewModel(std::move(bottom));
}

void ConfirmCardPresenter::cvvDidChange(const std::optional<std::string>& text) {
    const auto view = view_.lock();
    if (!view) return;
    if (!text) {
        view->updateViewModel(
            [](ConfirmCardViewModel& model) { model.cvv = AddCardViewModel::initialCvv(); });
        return;
    }
    const bool isValid =
        cvvValidatorFactory_(view->viewModel().card.cardType).validate(std::string_view(*text));
    FieldBottomText bottomText = text->empty()
                                     ? FieldBottomText::error(localizedFormatted("required_field"))
                                 : isValid ? FieldBottomText::helper(cvvHelperText(kCvvLength))
                                           : FieldBottomText::error(cvvHelperText(kCvvLength));
    view->updateViewModel([&](ConfirmCardViewModel& model) {
        model.cvv = {*text, isValid, std::move(bottomText), kCvvLength};
    });
}

void ConfirmCardPresenter::didTapSubmit() {
    const auto view = view_.lock();
    if (!view || submitting_ || finished_) return;
    const ConfirmCardViewModel& model = view->viewModel();
    // The button only takes taps while the code is valid; a stray call sends nothing invalid.
    if (!model.cvv.value || !model.cvv.isValid) return;
    const auto expiry = ExpiryDateValidationComponent::parse(model.expiryDate.value)
                            .value_or(ExpiryDateValidationComponent{});
    const CardDepositInput input{
        .cardNumber = model.card.value,
        .cvv = *model.cvv.value,
        .expiryMonth = static_cast<int>(expiry.month),
        .expiryYear = static_cast<int>(expiry.year),
        .saveCard = std::nullopt,
        .cardLabel = model.cardLabel.value,
        .cardType = cardType(cardPaymentInstrument_),
    };
    submitting_ = true;
    view->showSubmitButtonLoading();
    interactor_->deposit(input, false);
}

void ConfirmCardPresenter::didTapManageCardsHint() {
    router_->presentHint(localizedFormatted("deposit_manage_your_cards_title"),
                         manageYourCardsHint());
}

void ConfirmCardPresenter::didTapCVVHint() {
    const auto view = view_.lock();
    if (!view) return;
    const CardType types[] = {view->viewModel().card.cardType};
    router_->presentHint(localizedFormatted("deposit_cvv_hint_title"), cvvHintText(types));
}

void ConfirmCardPresenter::didTapClose() {
    // While the deposit is being created, its answer decides the outcome.
    if (submitting_) {
        closeRequested_ = true;
        return;
    }
    report(CardDepositState::cancel());
}

void ConfirmCardPresenter::cardDepositDidSucceed(const model::CustomerDeposit& deposit,
                                                 const CardDetails& cardDetails) {
    submitting_ = false;
    if (const auto view = view_.lock()) view->hideSubmitButtonLoading();
    // Nothing is charged before the summary's confirm, so a close asked for meanwhile stands.
    report(closeRequested_ ? CardDepositState::cancel()
                           : CardDepositState::success(deposit, cardDetails));
}

void ConfirmCardPresenter::cardDepositDidFail(const Error& error) {
    submitting_ = false;
    if (const auto view = view_.lock()) view->hideSubmitButtonLoading();
    report(CardDepositState::failure(error));
}

void ConfirmCardPresenter::report(CardDepositState state) {
    if (finished_) return;
    finished_ = true;
    if (completionHandler_) completionHandler_(std::move(state));
}

}  // namespace corvend
