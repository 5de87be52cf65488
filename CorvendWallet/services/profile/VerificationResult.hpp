#pragma once

namespace corvend::model {

// How an identity verification ended, as the identity-verification screen reports it.
enum class VerificationResult { complete, failed, cancelled, internalError };

}  // namespace corvend::model
