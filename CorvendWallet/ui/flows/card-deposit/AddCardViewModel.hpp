#pragma once

#include <optional>
#include <string>

#include "CorvendWallet/ui/flows/card-deposit/FieldBottomText.hpp"
#include "CorvendWallet/ui/foundation/CardType.hpp"

namespace corvend {

// Everything the add-card screen shows of its fields; the presenter writes it, the view draws
// it.
struct AddCardViewModel {
    struct CardField {
        std::optional<std::string> value;  // digits only
        bool isValid = false;
        FieldBottomText bottomText;
        CardType cardType = CardType::unknown;
        friend bool operator==(const CardField&, const CardField&) = default;
    };
    struct ExpiryDateField {
        std::optional<std::string> value;  // as typed
        bool isValid = false;
        FieldBottomText bottomText;
        friend bool operator==(const ExpiryDateField&, const ExpiryDateField&) = default;
    };
    // The security code's length on both card forms, whatever the brand.
    static constexpr int kCvvLength = 3;

    struct CvvField {
        std::optional<std::string> value;
        bool isValid = false;
        FieldBottomText bottomText;
        int length = kCvvLength;
        friend bool operator==(const CvvField&, const CvvField&) = default;
    };
    struct CardLabelField {
        std::optional<std::string> value;
        friend bool operator==(const CardLabelField&, const CardLabelField&) = default;
    };

    CardField card;
    ExpiryDateField expiryDate;
    CvvField cvv;
    CardLabelField cardLabel;
    bool areCardDetailsSaved = false;

    // The empty form with its helper texts, looked up once per process.
    static const AddCardViewModel& initial();
    static const ExpiryDateField& initialExpiryDate();
    // The security-code field after an edit, its texts looked up anew: the helper text while
    // `isValid`, the same words as an error otherwise, and "required_field" for an empty text;
    // an absent text gives the untyped field with its helper text.
    static CvvField cvvField(const std::optional<std::string>& text, bool isValid);
};

}  // namespace corvend
