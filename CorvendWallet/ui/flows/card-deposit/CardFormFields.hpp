#pragma once

#include <optional>
#include <string>

#include "CorvendCoreComponents/TextField.hpp"
#include "CorvendWallet/ui/flows/card-deposit/AddCardViewModel.hpp"
#include "CorvendWallet/ui/flows/card-deposit/FieldBottomText.hpp"
#include "CorvendWallet/ui/foundation/CVVAndExpiryDateView.hpp"
#include "CorvendWallet/ui/foundation/CardNumberInputView.hpp"

namespace corvend {

// What the two card forms (add card, confirm card) show in their fields alike.

// An error puts the field in its error state with the text; a helper text leaves it.
void showBottomText(components::TextField& field, const FieldBottomText& bottomText);

// Sets the field's text only when it differs, so the caret of a field being edited stays.
void showText(platform::ui::TextField& field, const std::string& text);

// The card number grouped, with its brand's logo and, unless the bottom text says otherwise,
// the "card_must_be_in_your_name" helper text.
void showCardNumber(CardNumberInputView& field, CardType cardType,
                    const std::optional<std::string>& digits);

// The security code with its length and bottom text.
void showSecurityCode(CVVAndExpiryDateView& row, const AddCardViewModel::CvvField& cvv);

// The card label with its helper text and placeholder.
void showCardLabel(components::TextField& field, const std::optional<std::string>& label);

}  // namespace corvend
