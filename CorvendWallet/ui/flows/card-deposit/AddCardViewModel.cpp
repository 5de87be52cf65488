#include "CorvendWallet/ui/flows/card-deposit/AddCardViewModel.hpp"

#include "CorvendWallet/ui/foundation/CVVAndExpiryDateView.hpp"
#include "CorvendWallet/ui/foundation/LocalizedStrings.hpp"

namespace corvend {

const AddCardViewModel::ExpiryDateField& AddCardViewModel::initialExpiryDate() {
    static const ExpiryDateField field{
        std::nullopt, false, FieldBottomText::helper(localizedFormatted("expiry_date_helper"))};
    return field;
}

AddCardViewModel::CvvField AddCardViewModel::cvvField(const std::optional<std::string>& text,
                                                      bool isValid) {
    // Looked up at each edit: the host may translate the helper text while the form is open.
    if (!text)
        return {std::nullopt, false, FieldBottomText::helper(cvvHelperText(kCvvLength)),
                kCvvLength};
    FieldBottomText bottomText = text->empty()
                                     ? FieldBottomText::error(localizedFormatted("required_field"))
                                 : isValid ? FieldBottomText::helper(cvvHelperText(kCvvLength))
                                           : FieldBottomText::error(cvvHelperText(kCvvLength));
    return {*text, isValid, std::move(bottomText), kCvvLength};
}

const AddCardViewModel& AddCardViewModel::initial() {
    static const AddCardViewModel model{
        CardField{std::nullopt, false,
                  FieldBottomText::helper(localizedFormatted("card_must_be_in_your_name")),
                  CardType::unknown},
        initialExpiryDate(), cvvField(std::nullopt, false), CardLabelField{}, false};
    return model;
}

}  // namespace corvend
