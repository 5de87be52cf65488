#pragma once

#include "CorvendWallet/models/WireValueTable.hpp"

namespace corvend::model {

// Where the customer's identity verification stands; `unknown` for a status the kit does not
// know.
enum class KycVerificationStatus { completed, inProgress, incomplete, unknown };

// Read only. The finished status is "COMPLETED" here, unlike a session's "COMPLETE".
template <>
struct WireValues<KycVerificationStatus> {
    static constexpr auto table =
        wireValueTable(KycVerificationStatus::unknown, "UNKNOWN",
                       {{KycVerificationStatus::completed, "COMPLETED"},
                        {KycVerificationStatus::inProgress, "IN_PROGRESS"},
                        {KycVerificationStatus::incomplete, "INCOMPLETE"}});
};

}  // namespace corvend::model
