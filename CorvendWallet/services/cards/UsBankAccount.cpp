#include "CorvendWallet/services/cards/UsBankAccount.hpp"

#include <utility>

namespace corvend::model {
UsBankAccount::UsBankAccount(std::optional<std::string> id, std::optional<std::string> customerID,
                             std::optional<PaymentInstrumentStatus> status,
                             std::optional<std::string> accountHolderName,
                             std::string accountNumber, std::string routingNumber,
                             std::optional<std::string> bankName,
                             std::optional<AccountType> accountType)
    : fields_{.id = std::move(id),
              .customerID = std::move(customerID),
              .status = status,
              .accountHolderName = std::move(accountHolderName),
              .accountNumber = std::move(accountNumber),
              .routingNumber = std::move(routingNumber),
              .bankName = std::move(bankName),
              .accountType = accountType} {}

}  // namespace corvend::model
