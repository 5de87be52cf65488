#pragma once

namespace corvend::model {

// How an identity verification ended, as the identity-verification screen reports it when its
// page returns or cannot be shown; not every end is reported (see CustomerVerificationScreen).
enum class VerificationResult { complete, failed, cancelled, internalError };

}  // namespace corvend::model
