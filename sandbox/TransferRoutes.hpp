#pragma once

#include <string_view>

#include "RouteContext.hpp"

namespace corvend::sandbox {

// The store collection of transfers, under their identifiers.
inline constexpr std::string_view kTransfersCollection = "transfers";

// The transfers (see addPaymentRoutes()) under digitalwallets/v1/profile/transfers, seeded
// with two completed ones ("tr-seed-1", "tr-seed-2"):
// - preview: {"amount", "currencyCode", "transferDetails", "deviceInfo", "recipient"?,
//   "merchantRefNum"?, "fxQuote"?}: a fee of one percent in its currency.
// - status: "paymentProperties"?, kept; a transfer between wallets settles at once, so
//   "PROCESSING" answers and stores "COMPLETED".
void addTransferRoutes(const RouteContext& context);

}  // namespace corvend::sandbox
