#include "CorvendWallet/services/cards/CardPaymentInstrument.hpp"

#include <utility>

namespace corvend::model {

CardPaymentInstrument::CardPaymentInstrument(
    std::optional<std::string> id, std::optional<std::string> customerID,
    std::optional<PaymentInstrumentStatus> status, std::string pan,
    std::optional<std::string> cardHolderName, std::optional<std::string> bankName,
    CardExpiryDate expiryDate, std::optional<std::string> description)
    : fields_{.id = std::move(id),
              .customerID = std::move(customerID),
              .status = status,
              .pan = std::move(pan),
              .cardHolderName = std::move(cardHolderName),
              .bankName = std::move(bankName),
              .expiryDate = expiryDate,
              .description = std::move(description)} {}

}  // namespace corvend::model
