#pragma once

#include <string_view>

#include "RouteContext.hpp"

namespace corvend::sandbox {

// The store collections of issued cards (as read back, without tokenizations), of their
// secrets ({"pan", "cvv"}) and of their tokenizations ({"items": [...]}), under the card id.
inline constexpr std::string_view kCardsCollection = "cards";
inline constexpr std::string_view kCardSecretsCollection = "cards.secrets";
inline constexpr std::string_view kCardTokenizationsCollection = "cards.tokenizations";

// The prepaid cards of the sandbox customer, for requests with a bearer credential (401
// otherwise), under digitalwallets/v1/profile/prepaid:
// - GET programs: two seeded programs, "Corvend-Virtual" (VIRTUAL, VISA, digital) and
//   "Corvend-Classic" (PHYSICAL, MC).
// - POST cards {"programName", "currency", "userAgent", "mobile"?, "cardPin"?, "externalId"?,
//   "deliveryAddress"?, ...}: 201 with the new card: type and scheme from the program, status
//   "ACTIVE" for a digital program and "ISSUED" (awaiting activation) otherwise, a masked number
//   ("bin", "lastFour") and an expiry three years on.
// - GET cards (?cardType, ?status as a comma list, ?include=TOKENIZATIONS, ?limit, ?offset):
//   {"cards", "meta"}; GET cards/{id} (?include=TOKENIZATIONS).
// - PATCH cards/{id} {"status"?, "statusReason"?, "pin"?, "userAgent"}: a cancelled card stays
//   cancelled (400).
// - POST cards/{id}/activation {"lastFourDigits", "cvv", "userAgent"}: an "ISSUED" card becomes
//   "ACTIVE"; wrong digits or code get the 400 error document "ACTIVATION_FAILED".
// - GET cards/{id}/details: {"pan", "cvv", "expiry", "cardHolderName"}.
// - POST cards/{id}/tokenizations {"walletType", ...}: the provisioning data, and a new
//   "INITIATED" tokenization; PATCH cards/{id}/tokenizations {"dpanRef", "walletType",
//   "status", "walletId"?}: that tokenization changed.
// - POST cards/{id}/secure-details {"flow": "SHOW_DETAILS", "deviceInfo", "language"?}: the
//   address of the page GET sandbox/secure-details/{id} (HTML, no credential).
void addCardRoutes(const RouteContext& context);

}  // namespace corvend::sandbox
