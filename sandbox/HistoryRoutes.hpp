#pragma once

#include <string_view>

#include "RouteContext.hpp"

namespace corvend::sandbox {

// The store collection of the seeded card authorizations, under their identifiers.
inline constexpr std::string_view kAuthorizationsCollection = "authorizations";

// The sandbox customer's history under digitalwallets/v1/profile, each route for a request
// with a bearer credential (401 error document otherwise):
// - GET transactions: every "COMPLETED" deposit, withdrawal and transfer the store holds as a
//   transaction "txn-<record id>" (type "DEPOSIT", "WITHDRAWAL" or "TRANSFER"; amounts out of
//   the wallet negative), newest first, filtered by "type", "status", "startDate" (inclusive)
//   and "endDate" (exclusive), paged as listReply() pages. GET transactions/{id}: one.
// - GET authorizations: 23 seeded card authorizations, newest first, filtered by "status",
//   "startDate" and "endDate", paged alike. GET authorizations/{id}: one.
// Dates in filters are RFC 3339 UTC with milliseconds ("2024-03-05T14:07:09.589Z"); another
// form, or a type the service does not know, is a 400 error document. An unknown identifier is
// a 404 error document.
void addHistoryRoutes(const RouteContext& context);

}  // namespace corvend::sandbox
