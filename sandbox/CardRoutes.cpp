#include "CardRoutes.hpp"

#include <atomic>
#include <boost/json/array.hpp>
#include <boost/json/object.hpp>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "FieldRule.hpp"
#include "RouteHelpers.hpp"

namespace corvend::sandbox {

namespace {

constexpr std::string_view kRoot = "digitalwallets/v1/profile/prepaid";
constexpr std::string_view kStatuses[] = {"ACTIVE",  "PENDING", "CANCELLED", "SUSPENDED",
                                          "APPLIED", "DIGITAL", "REJECTED",  "LOCKED",
                                          "EXPIRED", "ISSUED"};
constexpr std::string_view kWalletTypes[] = {"GOOGLE_PAY", "APPLE_PAY", "SAMSUNG_PAY"};
constexpr std::string_view kTokenStatuses[] = {"COMPLETED", "INITIATED"};

const boost::json::array& programs() {
    static const boost::json::array seeded{
        {{"cardType", "VIRTUAL"},
         {"scheme", "VISA"},
         {"name", "Corvend-Virtual"},
         {"currencies", {"EUR", "USD"}},
         {"allowableCards", 5},
         {"isDigital", true}},
        {{"cardType", "PHYSICAL"},
         {"scheme", "MC"},
         {"name", "Corvend-Classic"},
         {"currencies", {"EUR", "GBP"}},
         {"allowableCards", 2},
         {"isDigital", false}},
    };
    return seeded;
}

const boost::json::object* program(std::string_view name) {
    for (const auto& entry : programs()) {
        if (isText(entry.at("name"), name)) return &entry.as_object();
    }
    return nullptr;
}

const std::vector<FieldRule>& orderRules() {
    static const std::vector<FieldRule> rules{
        {.key = "programName", .required = true},
        {.key = "currency", .kind = FieldRule::Kind::currency, .required = true},
        {.key = "userAgent", .required = true, .stored = false},
        {.key = "mobile"},
        {.key = "cardPin", .stored = false},
        {.key = "externalId"},
        {.key = "deliveryAddress", .kind = FieldRule::Kind::object},
    };
    return rules;
}

const std::vector<FieldRule>& updateRules() {
    static const std::vector<FieldRule> rules{
        {.key = "status", .stored = false, .oneOf = kStatuses, .notOneOf = "is not a card status"},
        {.key = "statusReason", .stored = false},
        {.key = "pin", .stored = false},
        {.key = "userAgent", .required = true, .stored = false},
    };
    return rules;
}

const std::vector<FieldRule>& activationRules() {
    static const std::vector<FieldRule> rules{
        {.key = "lastFourDigits", .required = true},
        {.key = "cvv", .required = true},
        {.key = "userAgent", .required = true},
    };
    return rules;
}

const std::vector<FieldRule>& tokenizeRules() {
    static const std::vector<FieldRule> rules{
        {.key = "walletType",
         .required = true,
         .oneOf = kWalletTypes,
         .notOneOf = "is not a wallet"},
    };
    return rules;
}

const std::vector<FieldRule>& tokenStatusRules() {
    static const std::vector<FieldRule> rules{
        {.key = "dpanRef", .required = true},
        {.key = "walletType",
         .required = true,
         .oneOf = kWalletTypes,
         .notOneOf = "is not a wallet"},
        {.key = "status", .required = true, .oneOf = kTokenStatuses, .notOneOf = "is not a status"},
        {.key = "walletId"},
    };
    return rules;
}

std::string text(const boost::json::object& object, std::string_view key) {
    const auto* value = object.if_contains(key);
    return value && value->is_string() ? std::string(value->as_string()) : std::string();
}

// The card as read, with its tokenizations when the query asks for them.
boost::json::value withIncludes(boost::json::value card, const RouteRequest& request,
                                const MemoryStore& store) {
    bool include = false;
    for (const auto& [name, value] : request.query)
        include |= name == "include" && value == "TOKENIZATIONS";
    if (!include) return card;
    const auto tokens = store.get(kCardTokenizationsCollection, card.at("cardId").as_string());
    boost::json::object list;
    list["mobileWalletTokenizations"] = tokens ? tokens->at("items") : boost::json::array{};
    card.as_object()["tokenizations"] = std::move(list);
    return card;
}

bool listed(std::string_view list, std::string_view value) {
    std::size_t start = 0;
    while (start <= list.size()) {
        const auto end = std::min(list.find(',', start), list.size());
        if (list.substr(start, end - start) == value) return true;
        start = end + 1;
    }
    return false;
}

// Runs `change` on the card `id` (404 when there is none) and answers what it returns.
template <class Change>
Reply changeCard(MemoryStore& store, const std::string& id, Change change) {
    std::optional<Reply> reply;
    const bool found = store.update(kCardsCollection, id, [&](boost::json::value& stored) {
        reply = change(stored.as_object());
    });
    return found ? *reply : notFound("card " + id);
}

}  // namespace

void addCardRoutes(const RouteContext& context) {
    auto& store = context.store;
    auto nextId = std::make_shared<std::atomic<std::uint64_t>>(1);
    const std::string cards = std::string(kRoot) + "/cards";
    const std::string card = cards + "/{id}";

    context.routes.add("GET", std::string(kRoot) + "/programs", [](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        return Reply::json(200, boost::json::object{{"programs", programs()}});
    });

    context.routes.add("POST", cards, [&store, nextId](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        auto body = objectBody(request);
        if (body.refused) return *body.refused;
        if (auto errors = fieldErrors(body.object, orderRules()); !errors.empty()) {
            return invalidRequest("The card order is not valid.", std::move(errors));
        }
        const auto* chosen = program(text(body.object, "programName"));
        if (chosen == nullptr) {
            return invalidRequest("The card order is not valid.",
                                  {{"programName", "is not an offered program"}});
        }
        const std::string currency = text(body.object, "currency");
        bool offered = false;
        for (const auto& code : chosen->at("currencies").as_array())
            offered |= isText(code, currency);
        if (!offered) {
            return invalidRequest("The card order is not valid.",
                                  {{"currency", "is not offered by the program"}});
        }
        const std::uint64_t n = nextId->fetch_add(1);
        const std::string id = "card-" + std::to_string(n);
        const bool visa = chosen->at("scheme") == "VISA";
        const std::string bin = visa ? "411111" : "542418";
        const std::string lastFour = std::to_string(1000 + (n * 7919) % 9000);
        const auto now = std::chrono::system_clock::now();
        const auto created = internetDateTime(now);
        const int expiryYear = std::stoi(created.substr(0, 4)) + 3;

        boost::json::object record;
        storeFields(body.object, orderRules(), record);
        record["cardId"] = id;
        record["status"] = chosen->at("isDigital").as_bool() ? "ACTIVE" : "ISSUED";
        record["expiry"] = {{"month", std::stoi(created.substr(5, 2))}, {"year", expiryYear}};
        record["bin"] = bin;
        record["lastFour"] = lastFour;
        record["customerId"] = "cust-sandbox";
        record["cardType"] = chosen->at("cardType");
        record["accountId"] = "acc-sandbox-" + currency;
        record["scheme"] = chosen->at("scheme");
        record["createdDate"] = created;
        record["isPinSet"] = body.object.contains("cardPin");
        if (record.at("status") == "ACTIVE") record["activationDate"] = created;
        store.put(kCardsCollection, id, record);
        store.put(kCardSecretsCollection, id,
                  {{"pan", bin + "000000" + lastFour}, {"cvv", std::to_string(100 + n % 900)}});
        return Reply::json(201, record);
    });

    context.routes.add("GET", cards, [&store](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        const auto type = request.queryItem("cardType");
        const auto statuses = request.queryItem("status");
        std::vector<boost::json::value> matching;
        for (auto& stored : store.list(kCardsCollection)) {
            const auto& record = stored.as_object();
            if (type && !isText(record.at("cardType"), *type)) continue;
            if (statuses && !listed(*statuses, text(record, "status"))) continue;
            matching.push_back(withIncludes(std::move(stored), request, store));
        }
        return listReply(request, matching, "cards");
    });

    context.routes.add("GET", card, [&store](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        const auto id = request.pathParameter("id").value_or("");
        const auto record = store.get(kCardsCollection, id);
        return record ? Reply::json(200, withIncludes(*record, request, store))
                      : notFound("card " + id);
    });

    context.routes.add("PATCH", card, [&store](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        auto body = objectBody(request);
        if (body.refused) return *body.refused;
        if (auto errors = fieldErrors(body.object, updateRules()); !errors.empty()) {
            return invalidRequest("The card change is not valid.", std::move(errors));
        }
        return changeCard(store, request.pathParameter("id").value_or(""),
                          [&](boost::json::object& record) {
                              if (isText(record.at("status"), "CANCELLED")) {
                                  return invalidRequest("The card change is not valid.",
                                                        {{"status", "the card is cancelled"}});
                              }
                              if (const auto* status = body.object.if_contains("status")) {
                                  record["status"] = *status;
                              }
                              if (body.object.contains("pin")) record["isPinSet"] = true;
                              return Reply::json(200, record);
                          });
    });

    context.routes.add("POST", card + "/activation", [&store](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        auto body = objectBody(request);
        if (body.refused) return *body.refused;
        if (auto errors = fieldErrors(body.object, activationRules()); !errors.empty()) {
            return invalidRequest("The activation is not valid.", std::move(errors));
        }
        const auto id = request.pathParameter("id").value_or("");
        const auto secrets = store.get(kCardSecretsCollection, id);
        return changeCard(store, id, [&](boost::json::object& record) {
            if (record.at("status") != "ISSUED") {
                return invalidRequest("The activation is not valid.",
                                      {{"status", "the card is not awaiting activation"}});
            }
            if (!secrets || body.object.at("lastFourDigits") != record.at("lastFour") ||
                body.object.at("cvv") != secrets->at("cvv")) {
                return Reply::error(400, {.code = "ACTIVATION_FAILED",
                                          .message = "The card details do not match.",
                                          .details = {"Check the last four digits and the code."}});
            }
            record["status"] = "ACTIVE";
            record["activationDate"] = internetDateTime(std::chrono::system_clock::now());
            return Reply::json(200, record);
        });
    });

    context.routes.add("GET", card + "/details", [&store](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        const auto id = request.pathParameter("id").value_or("");
        const auto record = store.get(kCardsCollection, id);
        const auto secrets = store.get(kCardSecretsCollection, id);
        if (!record || !secrets) return notFound("card " + id);
        return Reply::json(200, boost::json::object{{"pan", secrets->at("pan")},
                                                    {"cvv", secrets->at("cvv")},
                                                    {"expiry", record->at("expiry")},
                                                    {"cardHolderName", "SANDBOX CUSTOMER"}});
    });

    context.routes.add(
        "POST", card + "/tokenizations", [&store, nextId](const RouteRequest& request) {
            if (auto refused = refusedWithoutToken(request)) return *refused;
            auto body = objectBody(request);
            if (body.refused) return *body.refused;
            if (auto errors = fieldErrors(body.object, tokenizeRules()); !errors.empty()) {
                return invalidRequest("The tokenization is not valid.", std::move(errors));
            }
            const auto id = request.pathParameter("id").value_or("");
            const auto record = store.get(kCardsCollection, id);
            if (!record) return notFound("card " + id);
            const bool visa = record->at("scheme") == "VISA";
            const std::string dpan = "dpan-" + std::to_string(nextId->fetch_add(1));
            auto tokens = store.get(kCardTokenizationsCollection, id)
                              .value_or(boost::json::object{{"items", boost::json::array{}}});
            tokens.at("items").as_array().push_back({{"dpanRef", dpan},
                                                     {"walletId", "wallet-" + id},
                                                     {"walletType", body.object.at("walletType")},
                                                     {"status", "INITIATED"}});
            store.put(kCardTokenizationsCollection, id, tokens);
            return Reply::json(
                201,
                boost::json::object{
                    {"opaquePaymentCard", "b3BhcXVlLQ==" + dpan},
                    {"encryptedPassData", "ZW5jcnlwdGVk"},
                    {"ephemeralPublicKey", "ZXBoZW1lcmFs"},
                    {"activationData", "YWN0aXZhdGlvbg=="},
                    {"cardNetwork", visa ? "CARD_NETWORK_VISA" : "CARD_NETWORK_MASTERCARD"},
                    {"tokenProvider", visa ? "TOKEN_PROVIDER_VISA" : "TOKEN_PROVIDER_MASTERCARD"},
                    {"customer",
                     {{"address1", "1 Sandbox Street"},
                      {"city", "Dublin"},
                      {"countryCode", "IE"},
                      {"postalCode", "D02"},
                      {"name", "SANDBOX CUSTOMER"},
                      {"mobile", record->as_object().contains("mobile") ? record->at("mobile")
                                                                        : "+353000000"}}},
                    {"cardLastDigits", record->at("lastFour")}});
        });

    context.routes.add("PATCH", card + "/tokenizations", [&store](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        auto body = objectBody(request);
        if (body.refused) return *body.refused;
        if (auto errors = fieldErrors(body.object, tokenStatusRules()); !errors.empty()) {
            return invalidRequest("The tokenization change is not valid.", std::move(errors));
        }
        const auto id = request.pathParameter("id").value_or("");
        std::optional<boost::json::value> changed;
        store.update(kCardTokenizationsCollection, id, [&](boost::json::value& tokens) {
            for (auto& item : tokens.at("items").as_array()) {
                if (item.at("dpanRef") != body.object.at("dpanRef")) continue;
                for (const auto& [key, value] : body.object) item.as_object()[key] = value;
                changed = item;
            }
        });
        return changed ? Reply::json(200, *changed)
                       : notFound("tokenization " + text(body.object, "dpanRef"));
    });

    context.routes.add("POST", card + "/secure-details", [&store](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        auto body = objectBody(request);
        if (body.refused) return *body.refused;
        static constexpr std::string_view kFlows[] = {"SHOW_DETAILS"};
        static const std::vector<FieldRule> rules{
            {.key = "flow", .required = true, .oneOf = kFlows, .notOneOf = "must be SHOW_DETAILS"},
            {.key = "deviceInfo", .kind = FieldRule::Kind::device, .required = true},
            {.key = "language"}};
        if (auto errors = fieldErrors(body.object, rules); !errors.empty()) {
            return invalidRequest("The secure-details request is not valid.", std::move(errors));
        }
        const auto id = request.pathParameter("id").value_or("");
        if (!store.get(kCardsCollection, id)) return notFound("card " + id);
        boost::json::object reply{
            {"cardId", id},
            {"flow", "SHOW_DETAILS"},
            {"redirectUrl", request.origin() + "/sandbox/secure-details/" + id}};
        if (const auto* language = body.object.if_contains("language"))
            reply["language"] = *language;
        return Reply::json(200, reply);
    });

    context.routes.add("GET", "sandbox/secure-details/{id}", [&store](const RouteRequest& request) {
        const auto id = request.pathParameter("id").value_or("");
        const auto secrets = store.get(kCardSecretsCollection, id);
        if (!secrets) return notFound("card " + id);
        Reply reply;
        reply.contentType = "text/html; charset=utf-8";
        reply.body = "<!doctype html><title>Card details</title><p>Card " +
                     std::string(secrets->at("pan").as_string()) + "</p>";
        return reply;
    });
}

}  // namespace corvend::sandbox
