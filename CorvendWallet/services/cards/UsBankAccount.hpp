#pragma once

#include <optional>
#include <string>
#include <utility>

#include "CorvendWallet/services/cards/PaymentInstrumentValue.hpp"
#include "platform/foundation/Date.hpp"

namespace corvend::model {

// A saved US bank account.
class UsBankAccount final : public PaymentInstrumentValue<UsBankAccount> {
  public:
    enum class AccountType { savings, checking, loan, unknown };

    struct Fields {
        std::optional<std::string> id{};
        std::optional<std::string> customerID{};
        InstrumentType instrumentType = InstrumentType::usBankAccount;
        std::optional<PaymentInstrumentStatus> status{};
        std::optional<std::string> accountHolderName{};
        std::string accountNumber;
        std::string routingNumber;
        std::optional<std::string> bankName{};
        std::optional<AccountType> accountType{};
        std::optional<platform::Date> creationTime{};  // absent for host-made values

        friend bool operator==(const Fields&, const Fields&) = default;
    };

    // The host's form: the type is `usBankAccount` and there is no creation time.
    UsBankAccount(std::optional<std::string> id, std::optional<std::string> customerID,
                  std::optional<PaymentInstrumentStatus> status,
                  std::optional<std::string> accountHolderName, std::string accountNumber,
                  std::string routingNumber, std::optional<std::string> bankName,
                  std::optional<AccountType> accountType);

    // Every field as given, as the kit builds an account the service described.
    explicit UsBankAccount(Fields fields) : fields_(std::move(fields)) {}

    const Fields& fields() const { return fields_; }
    const std::optional<std::string>& accountHolderName() const {
        return fields_.accountHolderName;
    }
    const std::string& accountNumber() const { return fields_.accountNumber; }
    const std::string& routingNumber() const { return fields_.routingNumber; }
    const std::optional<AccountType>& accountType() const { return fields_.accountType; }

  private:
    Fields fields_;
};

// Like the status, an account type the kit does not know is sent back empty.
template <>
struct WireValues<UsBankAccount::AccountType> {
    using AccountType = UsBankAccount::AccountType;
    static constexpr auto table = wireValueTable(AccountType::unknown, "",
                                                 {{AccountType::savings, "SAVINGS"},
                                                  {AccountType::checking, "CHECKING"},
                                                  {AccountType::loan, "LOAN"}});
};

}  // namespace corvend::model
