#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/models/InstrumentType.hpp"
#include "CorvendWallet/networking/HTTPQueryParam.hpp"
#include "CorvendWallet/services/cards/InstrumentVerificationStatus.hpp"

namespace corvend::model {

// A new verification session: the host's return address and the kind of instrument.
struct InstrumentVerificationRequest {
    std::string returnUrl;
    InstrumentType instrumentType = InstrumentType::unknown;

    friend bool operator==(const InstrumentVerificationRequest&,
                           const InstrumentVerificationRequest&) = default;
};

// The page and filter of a session list.
struct InstrumentVerificationParameters {
    std::optional<std::int64_t> limit{};
    std::optional<std::int64_t> offset{};
    std::optional<InstrumentVerificationStatus> sessionStatus{};

    // "limit", "offset", "sessionStatus", each only when present; `unknown` is "UNKNOWN".
    std::vector<HTTPQueryParam> queryParams() const;
};

}  // namespace corvend::model
