#include "WithdrawalRoutes.hpp"

#include <algorithm>
#include <array>
#include <atomic>
#include <boost/json/array.hpp>
#include <boost/json/object.hpp>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "RouteHelpers.hpp"

namespace corvend::sandbox {

namespace {

constexpr std::string_view kCollectionPattern = "digitalwallets/v1/profile/withdrawals";
constexpr std::string_view kOptionsPattern = "digitalwallets/v1/profile/withdrawals/options";
constexpr std::string_view kRecordPattern = "digitalwallets/v1/profile/withdrawals/{id}";
constexpr std::string_view kStatusPattern = "digitalwallets/v1/profile/withdrawals/{id}/status";

constexpr std::string_view kCustomerId = "cus-sandbox-1";
constexpr std::string_view kAccountId = "acc-sandbox-1";
constexpr auto kPreviewLifetime = std::chrono::minutes(15);

constexpr std::array<std::string_view, 4> kOptions = {"VELNO_TRANSFER", "BANK_TRANSFER", "CARD",
                                                      "OFFLINE_BANK_TRANSFER"};

// One percent, at least one minor unit: enough to show a fee on every withdrawal.
std::int64_t feeFor(std::int64_t amount) {
    return std::max<std::int64_t>(1, amount / 100);
}

boost::json::array feesFor(std::int64_t amount, std::string_view currency) {
    return {boost::json::object{
        {"amount", feeFor(amount)}, {"currency", currency}, {"paymentReason", "CORVEND_FEE"}}};
}

void seed(MemoryStore& store) {
    const auto created = std::chrono::system_clock::now() - std::chrono::hours(48);
    const auto seeded = [&](std::string_view id, std::int64_t amount, std::string_view currency,
                            std::string_view option, std::string_view status, int days) {
        boost::json::object withdrawal{
            {"amount", amount},
            {"currencyCode", currency},
            {"paymentOption", option},
            {"paymentInstrumentReference",
             {{"id", "pi-sandbox-sepa"}, {"instrumentType", "SEPA_BANK_ACCOUNT"}}},
            {"merchantRefNum", std::string("ref-") + std::string(id)},
            {"id", id},
            {"accountId", kAccountId},
            {"customerId", kCustomerId},
            {"creationTime", internetDateTime(created + std::chrono::days(days))},
            {"fees", feesFor(amount, currency)},
            {"slipId", std::string("slip-") + std::string(id)},
            {"fundingTransactionId", std::string("ft-") + std::string(id)},
            {"status", status},
        };
        store.put(kWithdrawalsCollection, id, std::move(withdrawal));
    };
    seeded("wd-seed-1", 12'500, "EUR", "BANK_TRANSFER", "COMPLETED", 0);
    seeded("wd-seed-2", 4'000, "EUR", "VELNO_TRANSFER", "PROCESSING", 1);
}

boost::json::array paymentOptions() {
    return {
        boost::json::object{
            {"paymentOption", "BANK_TRANSFER"},
            {"instrumentTypes", boost::json::array{"SEPA_BANK_ACCOUNT", "UK_BANK_ACCOUNT"}}},
        boost::json::object{{"paymentOption", "VELNO_TRANSFER"}},
        boost::json::object{{"paymentOption", "CARD"},
                            {"instrumentTypes", boost::json::array{"CARD"}},
                            {"paymentOptionSettings",
                             {{"paymentOption", "CARD"},
                              {"cardSchemes", boost::json::array{"VISA", "MASTERCARD"}}}}},
    };
}

// The value under `key` when it is a string, or nothing with the reason added to `errors`.
// An optional key may be missing.
std::optional<std::string> stringField(const boost::json::object& body, std::string_view key,
                                       bool required,
                                       std::vector<ErrorDocument::FieldError>& errors) {
    const auto* value = body.if_contains(key);
    if (value == nullptr || value->is_null()) {
        if (required) errors.push_back({std::string(key), "is required"});
        return std::nullopt;
    }
    if (!value->is_string()) {
        errors.push_back({std::string(key), "must be a string"});
        return std::nullopt;
    }
    return std::string(value->as_string());
}

// The properties as sent when they are a list of objects with string members.
std::optional<boost::json::array> propertiesField(const boost::json::object& body,
                                                  std::vector<ErrorDocument::FieldError>& errors) {
    const auto* value = body.if_contains("paymentProperties");
    if (value == nullptr || value->is_null()) return std::nullopt;
    const auto valid = [](const boost::json::value& entry) {
        if (!entry.is_object()) return false;
        return std::ranges::all_of(entry.as_object(),
                                   [](const auto& member) { return member.value().is_string(); });
    };
    if (!value->is_array() || !std::ranges::all_of(value->as_array(), valid)) {
        errors.push_back({"paymentProperties", "must be a list of key and value strings"});
        return std::nullopt;
    }
    return value->as_array();
}

// The withdrawal a preview body asks for, or the 400 reply.
struct Preview {
    boost::json::object withdrawal;
    std::optional<Reply> refused;
};

Preview preview(const boost::json::object& body, std::string id) {
    std::vector<ErrorDocument::FieldError> errors;
    std::int64_t amount = 0;
    if (const auto* value = body.if_contains("amount"); value == nullptr || value->is_null()) {
        errors.push_back({"amount", "is required"});
    } else if (!value->is_int64() || value->as_int64() < 1) {
        errors.push_back({"amount", "must be a whole number of minor units above 0"});
    } else {
        amount = value->as_int64();
    }
    const auto currency = stringField(body, "currencyCode", true, errors);
    if (currency && currency->size() != 3) errors.push_back({"currencyCode", "must be ISO 4217"});
    const auto option = stringField(body, "paymentOption", true, errors);
    if (option && std::ranges::find(kOptions, *option) == kOptions.end()) {
        errors.push_back({"paymentOption", "is not a withdrawal option"});
    }
    const auto merchantRefNum = stringField(body, "merchantRefNum", false, errors);
    const auto properties = propertiesField(body, errors);
    const auto* device = body.if_contains("deviceInfo");
    if (device == nullptr || !device->is_object()) {
        errors.push_back({"deviceInfo", "is required"});
    }
    const auto* instrument = body.if_contains("paymentInstrumentReference");
    if (instrument != nullptr && !instrument->is_null()) {
        const auto* reference = instrument->if_object();
        if (reference == nullptr || !reference->contains("id") ||
            !reference->at("id").is_string() || !reference->contains("instrumentType") ||
            !reference->at("instrumentType").is_string()) {
            errors.push_back({"paymentInstrumentReference", "needs an id and an instrumentType"});
        }
    }
    if (!errors.empty()) {
        return {{}, invalidRequest("The withdrawal request is not valid.", std::move(errors))};
    }

    const auto now = std::chrono::system_clock::now();
    boost::json::object withdrawal{
        {"amount", amount},
        {"currencyCode", *currency},
        {"paymentOption", *option},
    };
    if (instrument != nullptr && !instrument->is_null()) {
        withdrawal["paymentInstrumentReference"] = *instrument;
    }
    if (merchantRefNum) withdrawal["merchantRefNum"] = *merchantRefNum;
    if (properties) withdrawal["paymentProperties"] = *properties;
    withdrawal["id"] = id;
    withdrawal["accountId"] = kAccountId;
    withdrawal["customerId"] = kCustomerId;
    withdrawal["creationTime"] = internetDateTime(now);
    withdrawal["expirationTime"] = internetDateTime(now + kPreviewLifetime);
    withdrawal["fees"] = feesFor(amount, *currency);
    withdrawal["slipId"] = "slip-" + id;
    withdrawal["status"] = "PREVIEW";
    return {std::move(withdrawal), std::nullopt};
}

// The status a withdrawal in `from` may move to when the host asks for `to`.
bool allowed(std::string_view from, std::string_view to) {
    return (from == "PREVIEW" && to == "PENDING") || (from == "PENDING" && to == "PROCESSING");
}

}  // namespace

void addWithdrawalRoutes(const RouteContext& context) {
    auto& store = context.store;
    seed(store);
    auto nextId = std::make_shared<std::atomic<std::uint64_t>>(1);

    context.routes.add("GET", kOptionsPattern, [](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        return Reply::json(200, paymentOptions());
    });

    context.routes.add("POST", kCollectionPattern, [&store, nextId](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        auto body = objectBody(request);
        if (body.refused) return *body.refused;
        auto made = preview(body.object, "wd-" + std::to_string(nextId->fetch_add(1)));
        if (made.refused) return *made.refused;
        const std::string id(made.withdrawal.at("id").as_string());
        store.put(kWithdrawalsCollection, id, made.withdrawal);
        return Reply::json(201, made.withdrawal);
    });

    context.routes.add("POST", kStatusPattern, [&store](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        const auto id = request.pathParameter("id").value_or("");
        auto body = objectBody(request);
        if (body.refused) return *body.refused;
        std::vector<ErrorDocument::FieldError> errors;
        const auto status = stringField(body.object, "status", true, errors);
        const auto properties = propertiesField(body.object, errors);
        if (!errors.empty()) {
            return invalidRequest("The status change is not valid.", std::move(errors));
        }

        std::optional<Reply> reply;
        const bool found =
            store.update(kWithdrawalsCollection, id, [&](boost::json::value& stored) {
                auto& withdrawal = stored.as_object();
                const std::string from(withdrawal.at("status").as_string());
                if (!allowed(from, *status)) {
                    reply =
                        invalidRequest("The status change is not valid.",
                                       {{"status", "cannot move from " + from + " to " + *status}});
                    return;
                }
                withdrawal["status"] = *status;
                if (properties) withdrawal["paymentProperties"] = *properties;
                if (*status == "PROCESSING") {
                    withdrawal.erase("expirationTime");
                    withdrawal["fundingTransactionId"] = "ft-" + id;
                }
                reply = Reply::json(200, withdrawal);
            });
        if (!found) return notFound("withdrawal " + id);
        return *reply;
    });

    context.routes.add("GET", kCollectionPattern, [&store](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        return listReply(request, store.list(kWithdrawalsCollection), "withdrawals");
    });

    context.routes.add("GET", kRecordPattern, [&store](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        const auto id = request.pathParameter("id").value_or("");
        const auto withdrawal = store.get(kWithdrawalsCollection, id);
        if (!withdrawal) return notFound("withdrawal " + id);
        return Reply::json(200, *withdrawal);
    });
}

}  // namespace corvend::sandbox
