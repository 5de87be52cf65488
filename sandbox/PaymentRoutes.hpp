#pragma once

#include <boost/json/array.hpp>
#include <boost/json/object.hpp>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "FieldRule.hpp"
#include "RouteContext.hpp"

namespace corvend::sandbox {

// One money-movement domain (deposits, withdrawals, transfers) as the sandbox serves it:
// records that a preview makes in "PREVIEW", a create moves to "PENDING" and a confirm to
// "PROCESSING".
struct PaymentDomain {
    std::string_view noun;  // "deposit", in error documents
    // "deposits": the collection's path under digitalwallets/v1/profile/, the store's
    // collection and the list reply's key.
    std::string_view collection;
    std::string_view idPrefix;  // of the identifiers of new records
    // The preview body's keys beside "amount", "currencyCode" and "deviceInfo", which every
    // preview carries.
    std::vector<FieldRule> previewFields;
    // The keys a status change may carry beside "status" and "paymentProperties".
    std::vector<FieldRule> statusFields{};
    // Served at the collection's "options" when present.
    std::optional<boost::json::array> options{};
    // Adds the domain's own values to a new record, which holds the stored values of the
    // preview body, "id", "creationTime", "slipId" and "status".
    std::function<void(boost::json::object& record)> previewed;
    // Adds the domain's own values to `record` once it has moved to `status` (with the stored
    // values of the change), and returns the reply: the record, or the step it shows in
    // flight. Runs under the store's lock.
    std::function<boost::json::object(boost::json::object& record, std::string_view status,
                                      const RouteRequest& request)>
        moved;
    // Runs after a status change, outside the store's lock, with the record as stored: for
    // what the change makes elsewhere in the store.
    std::function<void(const boost::json::object& record)> changed{};
};

// The preview keys that deposits and withdrawals share beside the amount and currency:
// "paymentOption" (one of `options`, else the field error `notAnOption`),
// "paymentInstrumentReference" and "merchantRefNum".
std::vector<FieldRule> paymentTermsFields(std::span<const std::string_view> options,
                                          std::string_view notAnOption);

// The domain's routes under root = digitalwallets/v1/profile/<collection>, each for a request
// with a non-empty bearer credential (401 error document otherwise):
// - GET root/options: the options, when the domain has them.
// - POST root: 201 with a new record in "PREVIEW" made from the body, or a 400 error document
//   with the body's field errors.
// - POST root/{id}/status with {"status", "paymentProperties"?, statusFields}: "PENDING" moves a
// "PREVIEW" record on,
//   "PROCESSING" a "PENDING" one; the record keeps the values the change carries and loses
//   its preview's expiry. Any other status or step is a 400 error document.
// - GET root: the list reply (see listReply()). GET root/{id}: the record.
// An unknown identifier gets a 404 error document.
void addPaymentRoutes(const RouteContext& context, PaymentDomain domain);

}  // namespace corvend::sandbox
