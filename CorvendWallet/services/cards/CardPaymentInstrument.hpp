#pragma once

#include <optional>
#include <string>
#include <utility>

#include "CorvendWallet/models/CardExpiryDate.hpp"
#include "CorvendWallet/models/CardScheme.hpp"
#include "CorvendWallet/services/cards/PaymentInstrumentValue.hpp"
#include "platform/foundation/Date.hpp"

namespace corvend::model {

// A saved payment card.
class CardPaymentInstrument final : public PaymentInstrumentValue<CardPaymentInstrument> {
  public:
    struct Fields {
        std::optional<std::string> id{};
        std::optional<std::string> customerID{};
        InstrumentType instrumentType = InstrumentType::card;
        std::optional<PaymentInstrumentStatus> status{};
        std::string pan;  // the card number as the service gives it
        std::optional<std::string> cardHolderName{};
        std::optional<std::string> bankName{};
        CardExpiryDate expiryDate;
        std::optional<platform::Date> creationTime{};  // absent for host-made values
        std::optional<CardScheme> cardScheme{};        // absent for host-made values
        std::optional<std::string> description{};

        friend bool operator==(const Fields&, const Fields&) = default;
    };

    // The host's form: the type is `card`, with no creation time and no card scheme.
    CardPaymentInstrument(std::optional<std::string> id, std::optional<std::string> customerID,
                          std::optional<PaymentInstrumentStatus> status, std::string pan,
                          std::optional<std::string> cardHolderName,
                          std::optional<std::string> bankName, CardExpiryDate expiryDate,
                          std::optional<std::string> description);

    // Every field as given, as the kit builds a card the service described.
    explicit CardPaymentInstrument(Fields fields) : fields_(std::move(fields)) {}

    const Fields& fields() const { return fields_; }
    const std::string& pan() const { return fields_.pan; }
    const std::optional<std::string>& cardHolderName() const { return fields_.cardHolderName; }
    const CardExpiryDate& expiryDate() const { return fields_.expiryDate; }
    const std::optional<CardScheme>& cardScheme() const { return fields_.cardScheme; }
    const std::optional<std::string>& description() const { return fields_.description; }

  private:
    Fields fields_;
};

}  // namespace corvend::model
