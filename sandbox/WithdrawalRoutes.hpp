#pragma once

#include <string_view>

#include "RouteContext.hpp"

namespace corvend::sandbox {

// The store collection that holds the withdrawals, under their identifiers.
inline constexpr std::string_view kWithdrawalsCollection = "withdrawals";

// The customer's withdrawals (see addPaymentRoutes()) under
// digitalwallets/v1/profile/withdrawals, seeded with "wd-seed-1" (completed) and "wd-seed-2"
// (processing):
// - options: the payment options of withdrawals.
// - preview: {"amount", "currencyCode", "paymentOption" (a withdrawal option), "deviceInfo",
//   "paymentInstrumentReference"?, "merchantRefNum"?, "paymentProperties"?}: a fee of one
//   percent (at least one minor unit).
// - status: "paymentProperties"?, kept; "PROCESSING" gives the funding transaction.
void addWithdrawalRoutes(const RouteContext& context);

}  // namespace corvend::sandbox
