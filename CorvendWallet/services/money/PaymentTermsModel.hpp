#pragma once

#include <boost/describe.hpp>
#include <cstdint>
#include <optional>
#include <string>

#include "CorvendWallet/services/cards/PaymentInstrumentReferenceModel.hpp"
#include "CorvendWallet/services/money/PaymentTerms.hpp"

namespace corvend {

// The terms keys that lead both a deposit or withdrawal preview body and its reply. Read and
// written: "amount", "currencyCode" and "paymentOption" are required when read; absent values
// are left out when written. The properties are not here: each body places them after keys of
// its own. Bodies and replies derive from it and describe it as their base, so these keys
// come first.
struct PaymentTermsModel {
    std::int64_t amount = 0;
    std::string currencyCode;
    std::string paymentOption;
    std::optional<PaymentInstrumentReferenceModel> paymentInstrumentReference{};
    std::optional<std::string> merchantRefNum{};

    // The wire form of `terms`: the option as its wire string ("UNKNOWN" for `unknown`), the
    // instrument reference converted when present.
    static PaymentTermsModel make(const model::PaymentTerms& terms);

    friend bool operator==(const PaymentTermsModel&, const PaymentTermsModel&) = default;
};
BOOST_DESCRIBE_STRUCT(PaymentTermsModel, (),
                      (amount, currencyCode, paymentOption, paymentInstrumentReference,
                       merchantRefNum))

}  // namespace corvend
