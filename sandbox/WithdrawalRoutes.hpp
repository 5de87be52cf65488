#pragma once

#include <string_view>

#include "RouteContext.hpp"

namespace corvend::sandbox {

// The store collection that holds the withdrawals, under their identifiers.
inline constexpr std::string_view kWithdrawalsCollection = "withdrawals";

// The customer's withdrawals, for a request with a non-empty bearer credential (401 error
// document otherwise). Two settled withdrawals are seeded ("wd-seed-1" completed,
// "wd-seed-2" processing).
// - GET digitalwallets/v1/profile/withdrawals/options: the payment options of withdrawals.
// - POST digitalwallets/v1/profile/withdrawals with {"amount" (whole, above 0),
//   "currencyCode", "paymentOption" (a known option), "deviceInfo" (an object), and optional
//   "paymentInstrumentReference", "merchantRefNum", "paymentProperties"}: 201 with a new
//   withdrawal in "PREVIEW", its fee and a slip identifier. Anything else gets a 400 error
//   document with fieldErrors.
// - POST digitalwallets/v1/profile/withdrawals/{id}/status with {"status"}: "PENDING" moves a
//   preview on, "PROCESSING" a pending one (which then gets its funding transaction); the
//   "paymentProperties" sent replace the stored ones. Any other status or step is a 400.
// - GET digitalwallets/v1/profile/withdrawals: the list reply (see listReply()).
// - GET digitalwallets/v1/profile/withdrawals/{id}: that withdrawal.
// An unknown identifier gets a 404 error document.
void addWithdrawalRoutes(const RouteContext& context);

}  // namespace corvend::sandbox
