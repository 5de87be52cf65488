#include "CorvendWallet/ui/flows/card-deposit/AddCardViewModel.hpp"

#include "CorvendWallet/ui/foundation/CVVAndExpiryDateView.hpp"
#include "CorvendWallet/ui/foundation/LocalizedStrings.hpp"

namespace corvend {

const AddCardViewModel::ExpiryDateField& AddCardViewModel::initialExpiryDate() {
    static const ExpiryDateField field{
        std::nullopt, false, FieldBottomText::helper(localizedFormatted("expiry_date_helper"))};
    return field;
}

const AddCardViewModel::CvvField& AddCardViewModel::initialCvv() {
    static const CvvField field{std::nullopt, false, FieldBottomText::helper(cvvHelperText(3)), 3};
    return field;
}

AddCardViewModel::CvvField AddCardViewModel::cvvField(const std::optional<std::string>& text,
                                                      bool isValid) {
    if (!text) return initialCvv();
    const CvvField& initial = initialCvv();
    FieldBottomText bottomText = text->empty()
                                     ? FieldBottomText::error(localizedFormatted("required_field"))
                                 : isValid ? initial.bottomText
                                           : FieldBottomText::error(initial.bottomText.text);
    return {*text, isValid, std::move(bottomText), initial.length};
}

const AddCardViewModel& AddCardViewModel::initial() {
    static const AddCardViewModel model{
        CardField{std::nullopt, false,
                  FieldBottomText::helper(localizedFormatted("card_must_be_in_your_name")),
                  CardType::unknown},
        initialExpiryDate(), initialCvv(), CardLabelField{}, false};
    return model;
}

}  // namespace corvend
