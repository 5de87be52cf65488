#include "TransferRoutes.hpp"

#include <atomic>
#include <boost/json/object.hpp>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "RouteHelpers.hpp"

namespace corvend::sandbox {

namespace {

constexpr std::string_view kTransfersPattern = "digitalwallets/v1/profile/transfers";
constexpr std::string_view kTransferPattern = "digitalwallets/v1/profile/transfers/{id}";
constexpr std::string_view kStatusPattern = "digitalwallets/v1/profile/transfers/{id}/status";

boost::json::object seededTransfer(std::string_view id, std::int64_t amount, std::string_view email,
                                   std::string_view slip) {
    return {{"id", id},
            {"amount", amount},
            {"currencyCode", "EUR"},
            {"recipient", boost::json::object{{"email", email}}},
            {"merchantRefNum", "seed"},
            {"transferDetails", boost::json::object{{"reason", "PEER_TRANSFER"}}},
            {"fees", boost::json::array{}},
            {"creationTime", "2024-03-05T14:07:09.589Z"},
            {"status", "COMPLETED"},
            {"slipId", slip}};
}

// Copies `key` of `from` into `to` when it is a string; a present value of another type is
// a field error.
void copyString(const boost::json::object& from, boost::json::object& to, std::string_view key,
                std::vector<ErrorDocument::FieldError>& errors) {
    const auto* value = from.if_contains(key);
    if (value == nullptr || value->is_null()) return;
    if (!value->is_string()) {
        errors.push_back({std::string(key), "must be a string"});
        return;
    }
    to[key] = *value;
}

// The new transfer of a preview body, or its field errors.
boost::json::object previewedTransfer(const boost::json::object& body, std::string_view id,
                                      std::vector<ErrorDocument::FieldError>& errors) {
    boost::json::object transfer{{"id", id}};
    const auto* amount = body.if_contains("amount");
    if (amount == nullptr || !amount->is_int64() || amount->as_int64() <= 0) {
        errors.push_back({"amount", "must be a positive whole number"});
    } else {
        transfer["amount"] = *amount;
    }
    const auto* currency = body.if_contains("currencyCode");
    if (currency == nullptr || !currency->is_string() || currency->as_string().size() != 3) {
        errors.push_back({"currencyCode", "must be a three-letter currency code"});
    } else {
        transfer["currencyCode"] = *currency;
    }
    if (const auto* recipient = body.if_contains("recipient"); recipient && !recipient->is_null()) {
        if (!recipient->is_object()) {
            errors.push_back({"recipient", "must be an object"});
        } else {
            transfer["recipient"] = *recipient;
        }
    }
    copyString(body, transfer, "merchantRefNum", errors);
    copyString(body, transfer, "fxQuote", errors);
    const auto* details = body.if_contains("transferDetails");
    if (details == nullptr || !details->is_object()) {
        errors.push_back({"transferDetails", "is required"});
    } else {
        transfer["transferDetails"] = *details;
    }
    if (errors.empty()) {
        const std::int64_t fee = transfer["amount"].as_int64() / 100;
        transfer["fees"] =
            boost::json::array{boost::json::object{{"amount", fee},
                                                   {"currency", transfer["currencyCode"]},
                                                   {"paymentReason", "OTHER_FEE"}}};
        transfer["creationTime"] = internetDateTime(std::chrono::system_clock::now());
        transfer["status"] = "PREVIEW";
        transfer["slipId"] = "slip-" + std::string(id);
    }
    return transfer;
}

}  // namespace

void addTransferRoutes(const RouteContext& context) {
    auto& store = context.store;
    store.put(kTransfersCollection, "tr-seed-1",
              seededTransfer("tr-seed-1", 2500, "ana@example.com", "S-1"));
    store.put(kTransfersCollection, "tr-seed-2",
              seededTransfer("tr-seed-2", 900, "bo@example.com", "S-2"));
    auto next = std::make_shared<std::atomic<std::uint64_t>>(1);

    context.routes.add("POST", kTransfersPattern, [&store, next](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        auto body = objectBody(request);
        if (body.refused) return *body.refused;
        const std::string id = "tr-" + std::to_string(next->fetch_add(1));
        std::vector<ErrorDocument::FieldError> errors;
        auto transfer = previewedTransfer(body.object, id, errors);
        if (!errors.empty()) return invalidRequest("The transfer request is not valid.", errors);
        store.put(kTransfersCollection, id, transfer);
        return Reply::json(201, transfer);
    });

    context.routes.add("POST", kStatusPattern, [&store](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        const auto id = request.pathParameter("id").value_or("");
        auto body = objectBody(request);
        if (body.refused) return *body.refused;
        const auto* status = body.object.if_contains("status");
        const std::string wanted =
            status && status->is_string() ? std::string(status->as_string()) : "";
        std::optional<Reply> refusal;
        boost::json::value changed;
        const bool found = store.update(kTransfersCollection, id, [&](boost::json::value& stored) {
            auto& transfer = stored.as_object();
            const std::string current(transfer["status"].as_string());
            if (wanted == "PENDING" && current == "PREVIEW") {
                transfer["status"] = "PENDING";
            } else if (wanted == "PROCESSING" && current == "PENDING") {
                transfer["status"] = "COMPLETED";  // a transfer between wallets settles at once
            } else {
                refusal = invalidRequest("The status change is not allowed.",
                                         {{"status", "cannot move from " + current + " to " +
                                                         (wanted.empty() ? "nothing" : wanted)}});
            }
            changed = stored;
        });
        if (!found) return notFound("transfer " + id);
        if (refusal) return *refusal;
        return Reply::json(200, changed);
    });

    context.routes.add("GET", kTransfersPattern, [&store](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        return listReply(request, store.list(kTransfersCollection), "transfers");
    });

    context.routes.add("GET", kTransferPattern, [&store](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        const auto id = request.pathParameter("id").value_or("");
        const auto transfer = store.get(kTransfersCollection, id);
        if (!transfer) return notFound("transfer " + id);
        return Reply::json(200, *transfer);
    });
}

}  // namespace corvend::sandbox
