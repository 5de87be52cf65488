#include "PaymentRoutes.hpp"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "RouteHelpers.hpp"

namespace corvend::sandbox {

namespace {

constexpr std::string_view kStatuses[] = {"PENDING", "PROCESSING"};
constexpr FieldRule kStatusRule{.key = "status",
                                .required = true,
                                .stored = false,
                                .oneOf = kStatuses,
                                .notOneOf = "must be PENDING or PROCESSING"};
constexpr FieldRule kPropertiesRule{.key = "paymentProperties", .kind = FieldRule::Kind::textPairs};

// Every preview moves an amount and comes from a device.
constexpr FieldRule kAmountRule{.key = "amount", .kind = FieldRule::Kind::amount, .required = true};
constexpr FieldRule kCurrencyRule{
    .key = "currencyCode", .kind = FieldRule::Kind::currency, .required = true};
constexpr FieldRule kDeviceRule{
    .key = "deviceInfo", .kind = FieldRule::Kind::device, .required = true, .stored = false};

// `rules` between `first` and `last`.
std::vector<FieldRule> between(std::vector<FieldRule> first, const std::vector<FieldRule>& rules,
                               std::vector<FieldRule> last) {
    first.insert(first.end(), rules.begin(), rules.end());
    first.insert(first.end(), last.begin(), last.end());
    return first;
}

// The one step a record may take from `from` when the host asks for `to`.
bool allowed(std::string_view from, std::string_view to) {
    return (from == "PREVIEW" && to == "PENDING") || (from == "PENDING" && to == "PROCESSING");
}

// What the routes of one domain share.
struct Served {
    explicit Served(PaymentDomain from)
        : domain(std::move(from)),
          root("digitalwallets/v1/profile/" + std::string(domain.collection)),
          previewRules(between({kAmountRule, kCurrencyRule}, domain.previewFields, {kDeviceRule})),
          statusRules(between({kStatusRule, kPropertiesRule}, domain.statusFields, {})) {}

    const PaymentDomain domain;
    const std::string root;
    const std::vector<FieldRule> previewRules;
    const std::vector<FieldRule> statusRules;
    std::atomic<std::uint64_t> nextId{1};
};

}  // namespace

std::vector<FieldRule> paymentTermsFields(std::span<const std::string_view> options,
                                          std::string_view notAnOption) {
    return {{.key = "paymentOption", .required = true, .oneOf = options, .notOneOf = notAnOption},
            {.key = "paymentInstrumentReference", .kind = FieldRule::Kind::reference},
            {.key = "merchantRefNum"}};
}

void addPaymentRoutes(const RouteContext& context, PaymentDomain domain) {
    auto& store = context.store;
    const auto served = std::make_shared<Served>(std::move(domain));

    if (served->domain.options) {
        context.routes.add("GET", served->root + "/options", [served](const RouteRequest& request) {
            if (auto refused = refusedWithoutToken(request)) return *refused;
            return Reply::json(200, *served->domain.options);
        });
    }

    context.routes.add("POST", served->root, [&store, served](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        auto body = objectBody(request);
        if (body.refused) return *body.refused;
        if (auto errors = fieldErrors(body.object, served->previewRules); !errors.empty()) {
            return invalidRequest(
                "The " + std::string(served->domain.noun) + " request is not valid.",
                std::move(errors));
        }
        const std::string id =
            std::string(served->domain.idPrefix) + std::to_string(served->nextId.fetch_add(1));
        boost::json::object record;
        storeFields(body.object, served->previewRules, record);
        record["id"] = id;
        record["creationTime"] = internetDateTime(std::chrono::system_clock::now());
        record["slipId"] = "slip-" + id;
        record["status"] = "PREVIEW";
        served->domain.previewed(record);
        store.put(served->domain.collection, id, record);
        return Reply::json(201, record);
    });

    context.routes.add(
        "POST", served->root + "/{id}/status", [&store, served](const RouteRequest& request) {
            if (auto refused = refusedWithoutToken(request)) return *refused;
            const auto id = request.pathParameter("id").value_or("");
            auto body = objectBody(request);
            if (body.refused) return *body.refused;
            if (auto errors = fieldErrors(body.object, served->statusRules); !errors.empty()) {
                return invalidRequest("The status change is not valid.", std::move(errors));
            }
            const std::string to(body.object.at("status").as_string());
            std::optional<Reply> reply;
            std::optional<boost::json::object> changed;
            const bool found =
                store.update(served->domain.collection, id, [&](boost::json::value& stored) {
                    auto& record = stored.as_object();
                    const std::string from(record.at("status").as_string());
                    if (!allowed(from, to)) {
                        reply =
                            invalidRequest("The status change is not valid.",
                                           {{"status", "cannot move from " + from + " to " + to}});
                        return;
                    }
                    record["status"] = to;
                    record.erase("expirationTime");
                    storeFields(body.object, served->statusRules, record);
                    reply = Reply::json(200, served->domain.moved(record, to, request));
                    changed = record;
                });
            if (!found) return notFound(std::string(served->domain.noun) + " " + id);
            if (changed && served->domain.changed) served->domain.changed(*changed);
            return *reply;
        });

    context.routes.add("GET", served->root, [&store, served](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        return listReply(request, store.list(served->domain.collection), served->domain.collection);
    });

    context.routes.add("GET", served->root + "/{id}",
                       [&store, served](const RouteRequest& request) {
                           if (auto refused = refusedWithoutToken(request)) return *refused;
                           const auto id = request.pathParameter("id").value_or("");
                           const auto record = store.get(served->domain.collection, id);
                           return record ? Reply::json(200, *record)
                                         : notFound(std::string(served->domain.noun) + " " + id);
                       });
}

}  // namespace corvend::sandbox
