#include "CorvendWallet/services/cards/UkBankAccount.hpp"

#include <utility>

namespace corvend::model {

UkBankAccount::UkBankAccount(std::optional<std::string> id, std::optional<std::string> customerID,
                             std::optional<PaymentInstrumentStatus> status,
                             std::optional<std::string> accountHolderName,
                             std::string accountNumber, std::string sortCode,
                             std::optional<std::string> bankName)
    : fields_{.id = std::move(id),
              .customerID = std::move(customerID),
              .status = status,
              .accountHolderName = std::move(accountHolderName),
              .accountNumber = std::move(accountNumber),
              .sortCode = std::move(sortCode),
              .bankName = std::move(bankName)} {}

}  // namespace corvend::model
