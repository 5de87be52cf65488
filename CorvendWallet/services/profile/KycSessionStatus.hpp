#pragma once

#include "CorvendWallet/models/WireValueTable.hpp"
#include "CorvendWallet/services/profile/VerificationResult.hpp"

namespace corvend {

// The state of one identity-verification session on the service; `other` for a status the kit
// does not know.
enum class KycSessionStatus { created, initiated, complete, cancelled, abandoned, expired, other };

// What the screen reports for a session found in `status`: `complete` only for "COMPLETE",
// `cancelled` only for "CANCELLED", `failed` for every other status.
constexpr model::VerificationResult toVerificationResult(KycSessionStatus status) {
    switch (status) {
        case KycSessionStatus::complete:
            return model::VerificationResult::complete;
        case KycSessionStatus::cancelled:
            return model::VerificationResult::cancelled;
        default:
            return model::VerificationResult::failed;
    }
}

}  // namespace corvend

namespace corvend::model {

// Read only. The finished status is "COMPLETE" here, unlike the verification status's
// "COMPLETED", which reads as `other`.
template <>
struct WireValues<KycSessionStatus> {
    static constexpr auto table = wireValueTable(KycSessionStatus::other, "OTHER",
                                                 {{KycSessionStatus::created, "CREATED"},
                                                  {KycSessionStatus::initiated, "INITIATED"},
                                                  {KycSessionStatus::complete, "COMPLETE"},
                                                  {KycSessionStatus::cancelled, "CANCELLED"},
                                                  {KycSessionStatus::abandoned, "ABANDONED"},
                                                  {KycSessionStatus::expired, "EXPIRED"}});
};

}  // namespace corvend::model
