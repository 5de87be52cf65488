#include "CorvendWallet/ui/flows/card-deposit/ConfirmCardPresenter.hpp"

#include <utility>

#include "CorvendWallet/ui/flows/card-deposit/CardDepositHints.hpp"
#include "CorvendWallet/ui/foundation/CVVAndExpiryDateView.hpp"
#include "CorvendWallet/ui/foundation/CardFieldInput.hpp"
#include "CorvendWallet/ui/foundation/ExpiryDateValidationComponent.hpp"
#include "CorvendWallet/ui/foundation/LocalizedStrings.hpp"

namespace corvend {

namespace {

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
      cvvValidatorFactory_(std::move(cvvValidatorFactory)),
      submission_(std::move(completionHandler)) {}

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
                 AddCardViewModel::cvvField(std::nullopt, false),
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
    const bool isValid =
        text &&
        cvvValidatorFactory_(view->viewModel().card.cardType).validate(std::string_view(*text));
    view->updateViewModel([&](ConfirmCardViewModel& model) {
        model.cvv = AddCardViewModel::cvvField(text, isValid);
    });
}

void ConfirmCardPresenter::didTapSubmit() {
    const auto view = view_.lock();
    if (!view) return;
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
    if (!submission_.begin()) return;
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
    submission_.close();
}

void ConfirmCardPresenter::cardDepositDidSucceed(const model::CustomerDeposit& deposit,
                                                 const CardDetails& cardDetails) {
    if (const auto view = view_.lock()) view->hideSubmitButtonLoading();
    submission_.succeeded(deposit, cardDetails);
}

void ConfirmCardPresenter::cardDepositDidFail(const Error& error) {
    if (const auto view = view_.lock()) view->hideSubmitButtonLoading();
    submission_.failed(error);
}

}  // namespace corvend
