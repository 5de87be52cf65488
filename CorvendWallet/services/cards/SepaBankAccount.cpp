#include "CorvendWallet/services/cards/SepaBankAccount.hpp"

#include <utility>

namespace corvend::model {

SepaBankAccount::SepaBankAccount(std::optional<std::string> id,
                                 std::optional<std::string> customerID,
                                 std::optional<PaymentInstrumentStatus> status,
                                 std::optional<std::string> accountHolderName, std::string iban,
                                 std::string bic, std::optional<std::string> bankName)
    : fields_{.id = std::move(id),
              .customerID = std::move(customerID),
              .status = status,
              .accountHolderName = std::move(accountHolderName),
              .iban = std::move(iban),
              .bic = std::move(bic),
              .bankName = std::move(bankName)} {}

}  // namespace corvend::model
