#pragma once

#include <string_view>

#include "RouteContext.hpp"

namespace corvend::sandbox {

// The store collection of transfers, under their identifiers.
inline constexpr std::string_view kTransfersCollection = "transfers";

// The transfers, for a request with a non-empty bearer credential (401 otherwise), seeded with
// two completed transfers ("tr-seed-1", "tr-seed-2"):
// - POST digitalwallets/v1/profile/transfers with {"amount", "currencyCode", "transferDetails",
//   "recipient"?, "merchantRefNum"?, "fxQuote"?, "deviceInfo"?}: 201 with a new transfer in
//   "PREVIEW" (a fee of 1% in its currency); a body that is not such an object gets 400 with
//   fieldErrors.
// - POST .../transfers/{id}/status with {"status": "PENDING"} moves a "PREVIEW" transfer to
//   "PENDING"; {"status": "PROCESSING"} moves a "PENDING" one on, where it completes at once
//   ("COMPLETED"). Another status or another step gets 400; an unknown id 404.
// - GET .../transfers (limit, offset, merchantRefNum, slipID; see listReply) and
//   GET .../transfers/{id} (404 when unknown).
void addTransferRoutes(const RouteContext& context);

}  // namespace corvend::sandbox
