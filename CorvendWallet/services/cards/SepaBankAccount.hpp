#pragma once

#include <optional>
#include <string>
#include <utility>

#include "CorvendWallet/services/cards/PaymentInstrumentValue.hpp"
#include "platform/foundation/Date.hpp"

namespace corvend::model {

// A saved SEPA bank account.
class SepaBankAccount final : public PaymentInstrumentValue<SepaBankAccount> {
  public:
    struct Fields {
        std::optional<std::string> id{};
        std::optional<std::string> customerID{};
        InstrumentType instrumentType = InstrumentType::sepaBankAccount;
        std::optional<PaymentInstrumentStatus> status{};
        std::optional<std::string> accountHolderName{};
        std::string iban;
        std::string bic;
        std::optional<std::string> bankName{};
        std::optional<platform::Date> creationTime{};  // absent for host-made values

        friend bool operator==(const Fields&, const Fields&) = default;
    };

    // The host's form: the type is `sepaBankAccount` and there is no creation time.
    SepaBankAccount(std::optional<std::string> id, std::optional<std::string> customerID,
                    std::optional<PaymentInstrumentStatus> status,
                    std::optional<std::string> accountHolderName, std::string iban, std::string bic,
                    std::optional<std::string> bankName);

    // Every field as given, as the kit builds an account the service described.
    explicit SepaBankAccount(Fields fields) : fields_(std::move(fields)) {}

    const Fields& fields() const { return fields_; }
    const std::optional<std::string>& accountHolderName() const {
        return fields_.accountHolderName;
    }
    const std::string& iban() const { return fields_.iban; }
    const std::string& bic() const { return fields_.bic; }

  private:
    Fields fields_;
};

}  // namespace corvend::model
