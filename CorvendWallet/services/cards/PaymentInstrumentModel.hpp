#pragma once

#include <boost/describe.hpp>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/services/cards/CardPaymentInstrument.hpp"
#include "CorvendWallet/services/cards/PaymentInstrument.hpp"
#include "platform/foundation/Date.hpp"

namespace corvend {

// The one flat JSON object of a saved instrument of any kind, read from replies and written
// into deposit bodies. Only "instrumentType" is required; every other key may be missing or
// null, and is left out when absent. Kinds and states stay text, so unknown ones never fail
// decoding. "creationTime" is read by the reply date rule and written as the request
// encoder writes dates.
struct PaymentInstrumentModel {
    struct ExpiryDate {
        std::int64_t year = 0;
        std::int64_t month = 0;

        friend bool operator==(const ExpiryDate&, const ExpiryDate&) = default;
    };

    std::optional<std::string> id{};
    std::optional<std::string> customerId{};
    std::string instrumentType;
    std::optional<std::string> status{};
    std::optional<std::string> accountHolderName{};
    std::optional<std::string> iban{};
    std::optional<std::string> bic{};
    std::optional<std::string> bankName{};
    std::optional<std::string> accountNumber{};
    std::optional<std::string> routingNumber{};
    std::optional<std::string> accountType{};
    std::optional<std::string> sortCode{};
    std::optional<std::string> consumerId{};
    std::optional<std::int64_t> ageRestriction{};
    std::optional<std::string> kycLevelRestriction{};
    std::optional<std::string> countryRestriction{};
    std::optional<std::string> cardHolderName{};
    std::optional<std::string> pan{};
    std::optional<ExpiryDate> expiryDate{};
    std::optional<platform::Date> creationTime{};
    std::optional<std::string> cardScheme{};
    std::optional<std::string> description{};

    friend bool operator==(const PaymentInstrumentModel&, const PaymentInstrumentModel&) = default;
};
BOOST_DESCRIBE_STRUCT(PaymentInstrumentModel::ExpiryDate, (), (year, month))
BOOST_DESCRIBE_STRUCT(PaymentInstrumentModel, (),
                      (id, customerId, instrumentType, status, accountHolderName, iban, bic,
                       bankName, accountNumber, routingNumber, accountType, sortCode, consumerId,
                       ageRestriction, kycLevelRestriction, countryRestriction, cardHolderName, pan,
                       expiryDate, creationTime, cardScheme, description))

// The public instrument a reply entry describes, or null when it describes none: without
// "id" or "customerId", with a type other than exactly "CARD", "SEPA_BANK_ACCOUNT",
// "UK_BANK_ACCOUNT" or "US_BANK_ACCOUNT", or without the fields its kind needs (card: "pan"
// and "expiryDate"; SEPA: "iban" and "bic"; UK: "accountNumber" and "sortCode"; US:
// "accountNumber" and "routingNumber"). Keys of other kinds and the restriction keys are
// dropped; the status, a US account type and a card scheme are always present, `unknown`
// when absent or unlisted.
std::shared_ptr<const model::PaymentInstrument> toPaymentInstrument(
    const PaymentInstrumentModel& instrument);

// The card branch of toPaymentInstrument(), for an entry known to be a card with the
// identifier `id` and the customer `customerID`: nullopt without "pan" or "expiryDate".
std::optional<model::CardPaymentInstrument> toCardPaymentInstrument(
    const PaymentInstrumentModel& instrument, std::string id, std::string customerID);

// The entries that describe an instrument, in order; the others are left out.
std::vector<std::shared_ptr<const model::PaymentInstrument>> toPaymentInstruments(
    const std::vector<PaymentInstrumentModel>& instruments);

// The flat object of a public instrument, or nullopt when its type is `unknown` or it is not
// the structure its type names. Its kind's fields are written, absent ones left out; an
// `unknown` status or US account type is written as the empty string; the card scheme and
// the restriction keys are never written.
std::optional<PaymentInstrumentModel> toPaymentInstrumentModel(
    const model::PaymentInstrument& instrument);

}  // namespace corvend
