#include "CorvendWallet/services/cards/PaymentInstrumentModel.hpp"

#include <utility>

#include "CorvendWallet/services/cards/SepaBankAccount.hpp"
#include "CorvendWallet/services/cards/UkBankAccount.hpp"
#include "CorvendWallet/services/cards/UsBankAccount.hpp"

namespace corvend {
namespace {

using model::InstrumentType;

// A required public field from a key whose presence was checked before.
void take(std::string& field, const std::optional<std::string>& key) {
    field = key.value_or(std::string());
}
void take(std::optional<std::string>& field, const std::optional<std::string>& key) {
    field = key;
}

// Whether the entry carries the keys its kind cannot do without.
bool hasKindKeys(const PaymentInstrumentModel& wire, InstrumentType type) {
    switch (type) {
        case InstrumentType::card:
            return wire.pan && wire.expiryDate;
        case InstrumentType::sepaBankAccount:
            return wire.iban && wire.bic;
        case InstrumentType::ukBankAccount:
            return wire.accountNumber && wire.sortCode;
        case InstrumentType::usBankAccount:
            return wire.accountNumber && wire.routingNumber;
        case InstrumentType::unknown:
            break;
    }
    return false;
}

// The public fields F of one structure, each from the key of the same name; keys that F does
// not have are dropped. The kind's keys must have been checked with hasKindKeys().
template <class F>
F readFields(const PaymentInstrumentModel& wire, InstrumentType type) {
    F fields;
    fields.id = wire.id;
    fields.customerID = wire.customerId;
    fields.instrumentType = type;
    fields.status = model::fromWire<model::PaymentInstrumentStatus>(wire.status);
    fields.bankName = wire.bankName;
    fields.creationTime = wire.creationTime;
    if constexpr (requires { fields.accountHolderName; }) {
        take(fields.accountHolderName, wire.accountHolderName);
    }
    if constexpr (requires { fields.iban; }) take(fields.iban, wire.iban);
    if constexpr (requires { fields.bic; }) take(fields.bic, wire.bic);
    if constexpr (requires { fields.accountNumber; })
        take(fields.accountNumber, wire.accountNumber);
    if constexpr (requires { fields.sortCode; }) take(fields.sortCode, wire.sortCode);
    if constexpr (requires { fields.routingNumber; })
        take(fields.routingNumber, wire.routingNumber);
    if constexpr (requires { fields.accountType; }) {
        fields.accountType = model::fromWire<model::UsBankAccount::AccountType>(wire.accountType);
    }
    if constexpr (requires { fields.pan; }) take(fields.pan, wire.pan);
    if constexpr (requires { fields.cardHolderName; }) {
        take(fields.cardHolderName, wire.cardHolderName);
    }
    if constexpr (requires { fields.expiryDate; }) {
        fields.expiryDate = {wire.expiryDate->year, wire.expiryDate->month};
    }
    if constexpr (requires { fields.cardScheme; }) {
        fields.cardScheme = model::fromWire<model::CardScheme>(wire.cardScheme);
    }
    if constexpr (requires { fields.description; }) take(fields.description, wire.description);
    return fields;
}

template <class T>
std::shared_ptr<const model::PaymentInstrument> readInstrument(const PaymentInstrumentModel& wire,
                                                               InstrumentType type) {
    return std::make_shared<const T>(readFields<typename T::Fields>(wire, type));
}

// The flat object of the structure T that `instrument` must be; nullopt when it is another
// structure. Written are the keys named like T's fields, except the card scheme.
template <class T>
std::optional<PaymentInstrumentModel> flatten(const model::PaymentInstrument& instrument) {
    const T* value = instrument.as<T>();
    if (value == nullptr) return std::nullopt;
    const typename T::Fields& fields = value->fields();
    PaymentInstrumentModel wire;
    wire.id = fields.id;
    wire.customerId = fields.customerID;
    wire.instrumentType = std::string(model::toWireValue(fields.instrumentType));
    if (fields.status) wire.status = std::string(model::toWireValue(*fields.status));
    wire.bankName = fields.bankName;
    wire.creationTime = fields.creationTime;
    if constexpr (requires { fields.accountHolderName; }) {
        wire.accountHolderName = fields.accountHolderName;
    }
    if constexpr (requires { fields.iban; }) wire.iban = fields.iban;
    if constexpr (requires { fields.bic; }) wire.bic = fields.bic;
    if constexpr (requires { fields.accountNumber; }) wire.accountNumber = fields.accountNumber;
    if constexpr (requires { fields.sortCode; }) wire.sortCode = fields.sortCode;
    if constexpr (requires { fields.routingNumber; }) wire.routingNumber = fields.routingNumber;
    if constexpr (requires { fields.accountType; }) {
        if (fields.accountType)
            wire.accountType = std::string(model::toWireValue(*fields.accountType));
    }
    if constexpr (requires { fields.pan; }) wire.pan = fields.pan;
    if constexpr (requires { fields.cardHolderName; }) wire.cardHolderName = fields.cardHolderName;
    if constexpr (requires { fields.expiryDate; }) {
        wire.expiryDate =
            PaymentInstrumentModel::ExpiryDate{fields.expiryDate.year, fields.expiryDate.month};
    }
    if constexpr (requires { fields.description; }) wire.description = fields.description;
    return wire;
}

}  // namespace

std::optional<model::CardPaymentInstrument> toCardPaymentInstrument(
    const PaymentInstrumentModel& instrument, std::string id, std::string customerID) {
    if (!hasKindKeys(instrument, InstrumentType::card)) return std::nullopt;
    auto fields =
        readFields<model::CardPaymentInstrument::Fields>(instrument, InstrumentType::card);
    fields.id = std::move(id);
    fields.customerID = std::move(customerID);
    return model::CardPaymentInstrument(std::move(fields));
}

std::shared_ptr<const model::PaymentInstrument> toPaymentInstrument(
    const PaymentInstrumentModel& instrument) {
    if (!instrument.id || !instrument.customerId) return nullptr;
    const InstrumentType type = model::fromWire<InstrumentType>(instrument.instrumentType);
    if (type == InstrumentType::card) {
        auto card = toCardPaymentInstrument(instrument, *instrument.id, *instrument.customerId);
        if (!card) return nullptr;
        return std::make_shared<const model::CardPaymentInstrument>(std::move(*card));
    }
    if (!hasKindKeys(instrument, type)) return nullptr;
    switch (type) {
        case InstrumentType::sepaBankAccount:
            return readInstrument<model::SepaBankAccount>(instrument, type);
        case InstrumentType::ukBankAccount:
            return readInstrument<model::UkBankAccount>(instrument, type);
        case InstrumentType::usBankAccount:
            return readInstrument<model::UsBankAccount>(instrument, type);
        case InstrumentType::card:
        case InstrumentType::unknown:
            break;
    }
    return nullptr;
}

std::vector<std::shared_ptr<const model::PaymentInstrument>> toPaymentInstruments(
    const std::vector<PaymentInstrumentModel>& instruments) {
    std::vector<std::shared_ptr<const model::PaymentInstrument>> result;
    result.reserve(instruments.size());
    for (const PaymentInstrumentModel& instrument : instruments) {
        if (auto mapped = toPaymentInstrument(instrument)) result.push_back(std::move(mapped));
    }
    return result;
}

std::optional<PaymentInstrumentModel> toPaymentInstrumentModel(
    const model::PaymentInstrument& instrument) {
    switch (instrument.instrumentType()) {
        case InstrumentType::sepaBankAccount:
            return flatten<model::SepaBankAccount>(instrument);
        case InstrumentType::ukBankAccount:
            return flatten<model::UkBankAccount>(instrument);
        case InstrumentType::usBankAccount:
            return flatten<model::UsBankAccount>(instrument);
        case InstrumentType::card:
            return flatten<model::CardPaymentInstrument>(instrument);
        case InstrumentType::unknown:
            break;
    }
    return std::nullopt;
}

}  // namespace corvend
