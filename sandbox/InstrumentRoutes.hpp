#pragma once

#include <string_view>

#include "RouteContext.hpp"

namespace corvend::sandbox {

// The store collections of saved instruments and of verification sessions.
inline constexpr std::string_view kInstrumentsCollection = "instruments";
inline constexpr std::string_view kInstrumentVerificationsCollection = "instrument-verifications";

// The saved instruments of the sandbox customer, for requests with a bearer credential (401
// otherwise), under digitalwallets/v1/profile:
// - seeded: a card "pi-sandbox-card", a SEPA account "pi-sandbox-sepa", a UK account
//   "pi-sandbox-uk", a US account "pi-sandbox-us", a card without expiry "pi-sandbox-old-card",
//   and "pi-sandbox-wallet" of a kind the kit does not know ("E_WALLET").
// - GET instruments (?instrumentType, ?paymentOption: "CARD" picks cards, "BANK_TRANSFER" bank
//   accounts, any other option none): a bare array; GET and DELETE instruments/{type}/{id} (404
//   when the type does not match); a deleted instrument is gone from later reads.
// - POST instrument-verifications {"returnUrl", "instrumentType"}: 201 with a new "ACTIVE"
//   session, valid for 30 minutes, whose "redirectUrl" is the page below; GET
//   instrument-verifications (?limit, ?offset, ?sessionStatus): {"instrumentVerifications",
//   "meta"}; GET instrument-verifications/{id}.
// - GET sandbox/instrument-verification/{id} (no credential): the verification page. It
//   completes an "ACTIVE" session, saves a verified instrument of its kind, and answers 302 to
//   the return address with "sessionId=<id>" added to its query.
void addInstrumentRoutes(const RouteContext& context);

}  // namespace corvend::sandbox
