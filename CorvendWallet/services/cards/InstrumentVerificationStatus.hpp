#pragma once

#include "CorvendWallet/models/WireValueTable.hpp"

namespace corvend::model {

// The progress of an instrument-verification session.
enum class InstrumentVerificationStatus {
    active,
    ongoingVerification,
    awaitingUserInput,
    completed,
    failed,
    unknown
};

template <>
struct WireValues<InstrumentVerificationStatus> {
    using S = InstrumentVerificationStatus;
    static constexpr auto table = wireValueTable(S::unknown, "UNKNOWN",
                                                 {{S::active, "ACTIVE"},
                                                  {S::ongoingVerification, "ONGOING_VERIFICATION"},
                                                  {S::awaitingUserInput, "AWAITING_USER_INPUT"},
                                                  {S::completed, "COMPLETED"},
                                                  {S::failed, "FAILED"}});
};

// Why a session failed; `unknown` also when the service gave no reason.
enum class InstrumentVerificationFailStatusReason {
    unsupportedBank,
    nameMismatch,
    instrumentNotUnique,
    missingDetails,
    internalError,
    sessionExpired,
    userAbandonedProcess,
    userInteractionError,
    other,
    unknown
};

template <>
struct WireValues<InstrumentVerificationFailStatusReason> {
    using R = InstrumentVerificationFailStatusReason;
    static constexpr auto table =
        wireValueTable(R::unknown, "UNKNOWN",
                       {{R::unsupportedBank, "UNSUPPORTED_BANK"},
                        {R::nameMismatch, "NAME_MISMATCH"},
                        {R::instrumentNotUnique, "INSTRUMENT_NOT_UNIQUE"},
                        {R::missingDetails, "MISSING_DETAILS"},
                        {R::internalError, "INTERNAL_ERROR"},
                        {R::sessionExpired, "SESSION_EXPIRED"},
                        {R::userAbandonedProcess, "USER_ABANDONED_PROCESS"},
                        {R::userInteractionError, "USER_INTERACTION_ERROR"},
                        {R::other, "OTHER"}});
};

}  // namespace corvend::model
