#pragma once

#include <string_view>

#include "RouteContext.hpp"

namespace corvend::sandbox {

// The store collection that holds the deposits, under their identifiers.
inline constexpr std::string_view kDepositsCollection = "deposits";

// The deposits of the sandbox customer (see addPaymentRoutes()) under
// digitalwallets/v1/profile/deposits, seeded with two finished ones ("dep-seed-1", "dep-seed-2"):
// - options: card (VISA, MC) and the bank options.
// - preview: {"amount", "currencyCode", "paymentOption" (an option served at options; any other
//   is a 400 error document), "deviceInfo",
//   "paymentInstrumentReference"?, "merchantRefNum"?, "returnUrls"?, "paymentProperties"?}.
// - status: "paymentProperties"? and (on create) "paymentInstrument"?, both kept. On
//   "PROCESSING", a card deposit of 1000 minor units or more previewed with return addresses
//   answers action "REDIRECT"
//   with a redirect link to the 3-D Secure page; any other deposit completes at once (later
//   reads show "COMPLETED").
// - GET sandbox/3ds/{id}, without credential: the 3-D Secure page. It completes the deposit and
//   answers 302 to its "DEFAULT" return address (else "ON_COMPLETED"); 404 for a deposit with
//   no redirect. For an amount ending in 77 minor units it first answers 302 to
//   sandbox/3ds/{id}/challenge, which then does the same.
// - A card deposit that completes with the payment property "CARD_SAVE_INSTRUMENT" "true" saves
//   the card it was created with (its "paymentInstrument") as a "VERIFIED" card instrument
//   "pi-card-<deposit id>" of the deposit's customer: the number masked to its first six and
//   last four digits, the expiry date, the scheme read from the number, the name and label
//   when sent. A card of that customer with the same number and expiry is not saved twice.
void addDepositRoutes(const RouteContext& context);

}  // namespace corvend::sandbox
