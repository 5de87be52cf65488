#pragma once

#include <string_view>

#include "RouteContext.hpp"

namespace corvend::sandbox {

// The store collections of the sandbox customer's accounts and identity-verification sessions,
// under their identifiers.
inline constexpr std::string_view kAccountsCollection = "accounts";
inline constexpr std::string_view kKycSessionsCollection = "kyc.sessions";

// The sandbox customer under digitalwallets/v1/profile, each route for a request with a bearer
// credential (401 error document otherwise):
// - GET profile: the customer; each "include" item (ACCOUNTS, RESTRICTIONS, ADDRESS,
//   CONTACTINFO, INCOMPLETE_ONBOARDING_ATTRIBUTES) adds its block, any other value is a 400
//   error document.
// - GET accounts: the bare array of accounts, seeded with one EUR account holding a card and a
//   SEPA account; GET accounts/{id}: one account, 404 error document when there is none.
// - POST accounts {"currencyCode"}: 201 with a new empty account in that currency, which the
//   next list shows; a currency the customer already holds is a 409 error document.
// - GET kyc/status: the customer's verification, "IN_PROGRESS" until a session completes.
// - POST kyc/sessions {"merchantRefNum", "language"?, "returnUrl"}: 201 with a session in
//   "CREATED" whose "redirectUrl" is the sandbox's verification page; GET kyc/sessions/{id}.
// - GET sandbox/kyc/{id}, without credential: the verification page (HTML), with the links
//   "Complete", "Cancel" and "Abandon" to sandbox/kyc/{id}/complete, /cancel and /abandon;
//   404 for an unknown session.
// - GET sandbox/kyc/{id}/{complete|cancel|abandon}, without credential: moves the session to
//   "COMPLETE" (and the status to "COMPLETED") or "CANCELLED", or leaves it as it is, and
//   answers 302 to the session's return address with "sessionId=<id>" added to its query.
void addProfileRoutes(const RouteContext& context);

}  // namespace corvend::sandbox
