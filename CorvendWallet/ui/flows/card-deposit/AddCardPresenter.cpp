#include "CorvendWallet/ui/flows/card-deposit/AddCardPresenter.hpp"

#include <utility>

#include "CorvendWallet/ui/flows/card-deposit/CardDepositHints.hpp"
#include "CorvendWallet/ui/foundation/CVVAndExpiryDateView.hpp"
#include "CorvendWallet/ui/foundation/CardFieldInput.hpp"
#include "CorvendWallet/ui/foundation/CvvValidator.hpp"
#include "CorvendWallet/ui/foundation/LocalizedStrings.hpp"
#include "platform/foundation/Unicode.hpp"

namespace corvend {

namespace {

// The decimal digits of `text`, any script; blanks, dashes and the rest dropped.
std::string decimalDigits(std::string_view text) {
    std::string digits;
    for (const char32_t scalar : platform::unicode::scalars(text)) {
        if (platform::unicode::isDecimalDigit(scalar))
            platform::unicode::appendUTF8(digits, scalar);
    }
    return digits;
}

}  // namespace

AddCardPresenter::AddCardPresenter(std::weak_ptr<AddCardViewInput> view,
                                   std::shared_ptr<CardDepositInteractorInput> interactor,
                                   std::shared_ptr<CardDepositRouterInput> router,
                                   std::vector<CardType> supportedCards,
                                   std::function<void(CardDepositState)> completionHandler,
                                   Validators validators)
    : view_(std::move(view)),
      interactor_(std::move(interactor)),
      router_(std::move(router)),
      supportedCards_(std::move(supportedCards)),
      validators_(std::move(validators)),
      submission_(std::move(completionHandler)) {}

AddCardPresenter::Validators AddCardPresenter::defaultValidators(
    const std::vector<CardType>& supportedCards) {
    return Validators{
        ExpiryDateValidatorType::of(std::make_shared<ExpiryDateValidator>()),
        CardNumberValidatorType::of(std::make_shared<CardNumberValidator>(supportedCards)),
        [](CardType type) { return CvvValidatorType::of(std::make_shared<CvvValidator>(type)); },
    };
}

void AddCardPresenter::viewDidLoad() {
    const auto view = view_.lock();
    if (!view) return;
    AddCardBottomViewModel model{.images = {}, .buttonTitle = localizedFormatted("add_card_title")};
    for (const CardType type : supportedCards_) model.images.push_back(type.logo());
    view->setBottomViewModel(std::move(model));
}

void AddCardPresenter::cardNumberDidChange(const std::optional<std::string>& text) {
    const auto view = view_.lock();
    if (!view) return;
    std::string digits = decimalDigits(text.value_or(""));
    const CardNumberValidationResult result =
        validators_.cardNumber.validate(std::string_view(digits));
    FieldBottomText bottomText;
    if (digits.empty()) {
        bottomText = FieldBottomText::error(localizedFormatted("required_field"));
    } else if (result == CardNumberValidationResult::notSupported) {
        bottomText = FieldBottomText::error(localizedFormatted("card_brand_not_supported"));
    } else if (result == CardNumberValidationResult::valid) {
        bottomText = FieldBottomText::helper(localizedFormatted("card_must_be_in_your_name"));
    } else {
        bottomText = FieldBottomText::error(localizedFormatted("invalid_card_number"));
    }
    const CardType type{std::string_view(digits)};
    view->updateViewModel([&](AddCardViewModel& model) {
        model.card = {std::move(digits), result == CardNumberValidationResult::valid,
                      std::move(bottomText), type};
    });
    // The security code is checked again against the new brand.
    cvvDidChange(view->viewModel().cvv.value);
}

void AddCardPresenter::cvvDidChange(const std::optional<std::string>& text) {
    const auto view = view_.lock();
    if (!view) return;
    const bool isValid =
        text &&
        validators_.cvvFactory(view->viewModel().card.cardType).validate(std::string_view(*text));
    view->updateViewModel(
        [&](AddCardViewModel& model) { model.cvv = AddCardViewModel::cvvField(text, isValid); });
}

void AddCardPresenter::expiryDateDidChange(const std::optional<std::string>& text) {
    const auto view = view_.lock();
    if (!view) return;
    if (!text) {
        view->updateViewModel([](AddCardViewModel& model) {
            model.expiryDate = AddCardViewModel::initialExpiryDate();
        });
        return;
    }
    const ExpiryDateValidationResult result =
        validators_.expiryDate.validate(ExpiryDateValidationComponent::parse(*text));
    FieldBottomText bottomText;
    if (text->empty()) {
        bottomText = FieldBottomText::error(localizedFormatted("required_field"));
    } else if (result == ExpiryDateValidationResult::invalid) {
        bottomText = FieldBottomText::error(localizedFormatted("invalid_date"));
    } else if (result == ExpiryDateValidationResult::expired) {
        bottomText = FieldBottomText::error(localizedFormatted("expired_card"));
    } else {
        bottomText = AddCardViewModel::initialExpiryDate().bottomText;
    }
    view->updateViewModel([&](AddCardViewModel& model) {
        model.expiryDate = {*text, result == ExpiryDateValidationResult::valid,
                            std::move(bottomText)};
    });
}

void AddCardPresenter::updateSubmitButtonState() {
    const auto view = view_.lock();
    if (!view) return;
    const AddCardViewModel& model = view->viewModel();
    view->setSubmitButtonEnabled(model.card.isValid && model.cvv.isValid &&
                                 model.expiryDate.isValid);
}

void AddCardPresenter::cardLabelDidChange(const std::optional<std::string>& text) {
    if (const auto view = view_.lock())
        view->updateViewModel([&](AddCardViewModel& model) { model.cardLabel.value = text; });
}

void AddCardPresenter::saveCardDetailsDidChange(bool saved) {
    if (const auto view = view_.lock())
        view->updateViewModel([&](AddCardViewModel& model) { model.areCardDetailsSaved = saved; });
}

void AddCardPresenter::didTapSubmit() {
    const auto view = view_.lock();
    if (!view) return;
    const AddCardViewModel& model = view->viewModel();
    if (!model.card.value || !model.expiryDate.value || !model.cvv.value) return;
    const auto expiry = ExpiryDateValidationComponent::parse(*model.expiryDate.value)
                            .value_or(ExpiryDateValidationComponent{});
    const CardDepositInput input{
        .cardNumber = *model.card.value,
        .cvv = *model.cvv.value,
        .expiryMonth = static_cast<int>(expiry.month),
        .expiryYear = static_cast<int>(expiry.year),
        .saveCard = model.areCardDetailsSaved,
        .cardLabel = model.cardLabel.value,
        .cardType = CardType(std::string_view(*model.card.value)),
    };
    if (!submission_.begin()) return;
    view->showSubmitButtonLoading();
    interactor_->deposit(input, true);
}

void AddCardPresenter::didTapCVVHint() {
    const auto view = view_.lock();
    if (!view) return;
    const CardType types[] = {view->viewModel().card.cardType};
    router_->presentHint(localizedFormatted("deposit_cvv_hint_title"), cvvHintText(types));
}

void AddCardPresenter::didTapManageCardsHint() {
    router_->presentHint(localizedFormatted("deposit_manage_your_cards_title"),
                         manageYourCardsHint());
}

void AddCardPresenter::didTapSaveCardsHint() {
    router_->presentHint(localizedFormatted("deposit_save_your_cards_hint_title"),
                         saveYourCardsHint());
}

void AddCardPresenter::didTapClose() {
    submission_.close();
}

void AddCardPresenter::cardDepositDidSucceed(const model::CustomerDeposit& deposit,
                                             const CardDetails& cardDetails) {
    if (const auto view = view_.lock()) view->hideSubmitButtonLoading();
    submission_.succeeded(deposit, cardDetails);
}

void AddCardPresenter::cardDepositDidFail(const Error& error) {
    if (const auto view = view_.lock()) view->hideSubmitButtonLoading();
    submission_.failed(error);
}

}  // namespace corvend
