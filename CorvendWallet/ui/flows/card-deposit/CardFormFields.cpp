#include "CorvendWallet/ui/flows/card-deposit/CardFormFields.hpp"

#include "CorvendWallet/ui/foundation/LocalizedStrings.hpp"

namespace corvend {

void showBottomText(components::TextField& field, const FieldBottomText& bottomText) {
    if (bottomText.kind == FieldBottomText::Kind::error) {
        field.setHasError(true);
        field.setErrorText(bottomText.text);
    } else {
        field.setHasError(false);
        field.setHelperText(bottomText.text);
    }
}

void showText(platform::ui::TextField& field, const std::string& text) {
    if (field.text() != text) field.setText(text);
}

void showCardNumber(CardNumberInputView& field, CardType cardType,
                    const std::optional<std::string>& digits) {
    field.currentCardType = cardType;
    field.setCardLogo(cardType);
    field.setMaskedText(digits);
    field.setHelperText(localizedFormatted("card_must_be_in_your_name"));
}

void showSecurityCode(CVVAndExpiryDateView& row, const AddCardViewModel::CvvField& cvv) {
    showText(*row.cvvView(), cvv.value.value_or(""));
    row.cvvLength = cvv.length;
    setUpAsCvvField(*row.cvvView(), row.cvvLength);
    showBottomText(*row.cvvView(), cvv.bottomText);
}

void showCardLabel(components::TextField& field, const std::optional<std::string>& label) {
    field.setHasError(false);
    field.setHelperText(localizedFormatted("card_label_bottom_text"));
    field.setPlaceholderText(localizedFormatted("card_label_placeholder_text"));
    showText(field, label.value_or(""));
}

}  // namespace corvend
