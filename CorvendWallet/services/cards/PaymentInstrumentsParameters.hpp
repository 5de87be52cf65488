#pragma once

#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/models/InstrumentType.hpp"
#include "CorvendWallet/models/PaymentOptionType.hpp"
#include "CorvendWallet/networking/HTTPQueryParam.hpp"

namespace corvend::model {

// The filters of an instrument list; each absent one filters nothing.
struct PaymentInstrumentsParameters {
    std::optional<InstrumentType> instrumentType{};
    std::optional<PaymentOptionType> paymentOption{};

    // "instrumentType", then "paymentOption", each only when present; `unknown` is "UNKNOWN".
    std::vector<HTTPQueryParam> queryParams() const;

    friend bool operator==(const PaymentInstrumentsParameters&,
                           const PaymentInstrumentsParameters&) = default;
};

// One saved instrument: its identifier and its kind, which picks the path.
struct PaymentInstrumentParameters {
    std::string instrumentId;
    InstrumentType instrumentType = InstrumentType::unknown;

    friend bool operator==(const PaymentInstrumentParameters&,
                           const PaymentInstrumentParameters&) = default;
};

}  // namespace corvend::model
