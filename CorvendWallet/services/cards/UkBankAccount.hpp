#pragma once

#include <optional>
#include <string>
#include <utility>

#include "CorvendWallet/services/cards/PaymentInstrumentValue.hpp"
#include "platform/foundation/Date.hpp"

namespace corvend::model {

// A saved UK bank account.
class UkBankAccount final : public PaymentInstrumentValue<UkBankAccount> {
  public:
    struct Fields {
        std::optional<std::string> id{};
        std::optional<std::string> customerID{};
        InstrumentType instrumentType = InstrumentType::ukBankAccount;
        std::optional<PaymentInstrumentStatus> status{};
        std::optional<std::string> accountHolderName{};
        std::string accountNumber;
        std::string sortCode;
        std::optional<std::string> bankName{};
        std::optional<platform::Date> creationTime{};  // absent for host-made values

        friend bool operator==(const Fields&, const Fields&) = default;
    };

    // The host's form: the type is `ukBankAccount` and there is no creation time.
    UkBankAccount(std::optional<std::string> id, std::optional<std::string> customerID,
                  std::optional<PaymentInstrumentStatus> status,
                  std::optional<std::string> accountHolderName, std::string accountNumber,
                  std::string sortCode, std::optional<std::string> bankName);

    // Every field as given, as the kit builds an account the service described.
    explicit UkBankAccount(Fields fields) : fields_(std::move(fields)) {}

    const Fields& fields() const { return fields_; }
    const std::optional<std::string>& accountHolderName() const {
        return fields_.accountHolderName;
    }
    const std::string& accountNumber() const { return fields_.accountNumber; }
    const std::string& sortCode() const { return fields_.sortCode; }

  private:
    Fields fields_;
};

}  // namespace corvend::model
