#pragma once

#include <string_view>

#include "RouteContext.hpp"

namespace corvend::sandbox {

// The store collection that holds the deposits, under their identifiers.
inline constexpr std::string_view kDepositsCollection = "deposits";

// The deposits of the sandbox customer, seeded with two finished ones. Every route but the
// 3-D Secure page needs a non-empty bearer credential (401 error document otherwise):
// - GET digitalwallets/v1/profile/deposits/options: card (VISA, MC) and the bank options.
// - GET digitalwallets/v1/profile/deposits: {"deposits", "meta"}, filtered by merchantRefNum
//   and slipID, paged by limit and offset.
// - GET digitalwallets/v1/profile/deposits/{id}: the deposit, or a 404 error document.
// - POST digitalwallets/v1/profile/deposits: a new deposit in "PREVIEW" from the body; a body
//   without an integer "amount" above 0, a "currencyCode" or a known "paymentOption" gets a
//   400 error document with fieldErrors.
// - POST digitalwallets/v1/profile/deposits/{id}/status: "PENDING" from "PREVIEW", then
//   "PROCESSING" from "PENDING"; any other move is a 400. A card deposit previewed with return
//   addresses then answers action "REDIRECT" with a redirect link to the 3-D Secure page;
//   any other deposit completes at once (later reads show "COMPLETED").
// - GET sandbox/3ds/{id}: the 3-D Secure page. It completes the deposit and answers 302 to
//   its "DEFAULT" return address (else "ON_COMPLETED"); 404 for a deposit with no redirect.
void addDepositRoutes(const RouteContext& context);

}  // namespace corvend::sandbox
