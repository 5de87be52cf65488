#pragma once

#include <string>

#include "CorvendWallet/ui/flows/card-deposit/AddCardViewModel.hpp"

namespace corvend {

// Everything the confirm-card screen shows: the saved card read-only, and the security code.
struct ConfirmCardViewModel {
    struct CardField {
        std::string value;  // the number as the service gave it
        CardType cardType = CardType::unknown;
        friend bool operator==(const CardField&, const CardField&) = default;
    };
    struct ExpiryDateField {
        std::string value;
        friend bool operator==(const ExpiryDateField&, const ExpiryDateField&) = default;
    };
    // The same fields as the add-card form's.
    using CvvField = AddCardViewModel::CvvField;
    // Absent: the label row is not shown.
    using CardLabelField = AddCardViewModel::CardLabelField;

    CardField card;
    ExpiryDateField expiryDate;
    CvvField cvv;
    CardLabelField cardLabel;

    // Until the presenter supplies the card: empty texts and the security code's helper text.
    static ConfirmCardViewModel placeholder() {
        return {{}, {}, AddCardViewModel::cvvField(std::nullopt, false), {}};
    }
};

}  // namespace corvend
