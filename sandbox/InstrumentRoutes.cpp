#include "InstrumentRoutes.hpp"

#include <atomic>
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

constexpr std::string_view kRoot = "digitalwallets/v1/profile";
constexpr std::string_view kTypes[] = {"SEPA_BANK_ACCOUNT", "UK_BANK_ACCOUNT", "US_BANK_ACCOUNT",
                                       "CARD"};

void seedInstruments(MemoryStore& store) {
    const std::string created = "2024-01-15T09:30:00Z";
    const boost::json::object seeds[] = {
        {{"id", "pi-sandbox-card"},
         {"customerId", "cust-sandbox"},
         {"instrumentType", "CARD"},
         {"status", "VERIFIED"},
         {"cardHolderName", "SANDBOX CUSTOMER"},
         {"pan", "411111******1111"},
         {"expiryDate", {{"year", 2029}, {"month", 12}}},
         {"cardScheme", "VISA"},
         {"bankName", "Sandbox Bank"},
         {"creationTime", created},
         {"description", "Visa ending 1111"}},
        {{"id", "pi-sandbox-sepa"},
         {"customerId", "cust-sandbox"},
         {"instrumentType", "SEPA_BANK_ACCOUNT"},
         {"status", "VERIFIED"},
         {"accountHolderName", "Sandbox Customer"},
         {"iban", "IE29AIBK93115212345678"},
         {"bic", "AIBKIE2D"},
         {"creationTime", created}},
        {{"id", "pi-sandbox-uk"},
         {"customerId", "cust-sandbox"},
         {"instrumentType", "UK_BANK_ACCOUNT"},
         {"status", "UNVERIFIED"},
         {"accountNumber", "31926819"},
         {"sortCode", "601613"},
         {"creationTime", created}},
        {{"id", "pi-sandbox-us"},
         {"customerId", "cust-sandbox"},
         {"instrumentType", "US_BANK_ACCOUNT"},
         {"status", "VERIFIED"},
         {"accountNumber", "000123456789"},
         {"routingNumber", "110000000"},
         {"accountType", "CHECKING"},
         {"creationTime", created}},
        // Saved before expiry dates were kept: the kit cannot use it.
        {{"id", "pi-sandbox-old-card"},
         {"customerId", "cust-sandbox"},
         {"instrumentType", "CARD"},
         {"status", "VERIFIED"},
         {"pan", "400000******0002"},
         {"creationTime", created}},
        {{"id", "pi-sandbox-wallet"},
         {"customerId", "cust-sandbox"},
         {"instrumentType", "E_WALLET"},
         {"status", "VERIFIED"},
         {"creationTime", created}},
    };
    for (const auto& seed : seeds)
        store.put(kInstrumentsCollection, seed.at("id").as_string(), seed);
}

bool servesOption(const boost::json::value& instrument, std::string_view option) {
    const auto& type = instrument.at("instrumentType");
    if (option == "CARD") return type == "CARD";
    if (option == "BANK_TRANSFER") return type != "CARD" && type != "E_WALLET";
    return false;
}

// The stored instrument `id` when its type is `type`.
std::optional<boost::json::value> instrumentOf(const MemoryStore& store,
                                               const RouteRequest& request) {
    auto instrument = store.get(kInstrumentsCollection, request.pathParameter("id").value_or(""));
    if (!instrument ||
        !isText(instrument->at("instrumentType"), request.pathParameter("type").value_or(""))) {
        return std::nullopt;
    }
    return instrument;
}

// A verified instrument of `type`, as a finished verification saves it.
boost::json::object verifiedInstrument(std::string_view type, const std::string& id) {
    boost::json::object instrument{
        {"id", id},
        {"customerId", "cust-sandbox"},
        {"instrumentType", type},
        {"status", "VERIFIED"},
        {"creationTime", internetDateTime(std::chrono::system_clock::now())}};
    if (type == "CARD") {
        instrument["pan"] = "542418******4242";
        instrument["expiryDate"] = {{"year", 2030}, {"month", 6}};
        instrument["cardScheme"] = "MC";
    } else if (type == "SEPA_BANK_ACCOUNT") {
        instrument["iban"] = "DE89370400440532013000";
        instrument["bic"] = "COBADEFFXXX";
    } else {
        instrument["accountNumber"] = "55779911";
        instrument[type == "UK_BANK_ACCOUNT" ? "sortCode" : "routingNumber"] =
            type == "UK_BANK_ACCOUNT" ? "200000" : "021000021";
    }
    return instrument;
}

}  // namespace

void addInstrumentRoutes(const RouteContext& context) {
    auto& store = context.store;
    seedInstruments(store);
    auto nextId = std::make_shared<std::atomic<std::uint64_t>>(1);
    const std::string instruments = std::string(kRoot) + "/instruments";
    const std::string instrument = instruments + "/{type}/{id}";
    const std::string sessions = std::string(kRoot) + "/instrument-verifications";

    context.routes.add("GET", instruments, [&store](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        const auto type = request.queryItem("instrumentType");
        const auto option = request.queryItem("paymentOption");
        boost::json::array matching;
        for (const auto& stored : store.list(kInstrumentsCollection)) {
            if (type && !isText(stored.at("instrumentType"), *type)) continue;
            if (option && !servesOption(stored, *option)) continue;
            matching.push_back(stored);
        }
        return Reply::json(200, matching);
    });

    context.routes.add("GET", instrument, [&store](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        const auto found = instrumentOf(store, request);
        return found ? Reply::json(200, *found)
                     : notFound("instrument " + request.pathParameter("id").value_or(""));
    });

    context.routes.add("DELETE", instrument, [&store](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        const auto id = request.pathParameter("id").value_or("");
        if (!instrumentOf(store, request)) return notFound("instrument " + id);
        const auto removed = store.remove(kInstrumentsCollection, id);
        return removed ? Reply::json(200, *removed) : notFound("instrument " + id);
    });

    context.routes.add("POST", sessions, [&store, nextId](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        auto body = objectBody(request);
        if (body.refused) return *body.refused;
        static const std::vector<FieldRule> rules{{.key = "returnUrl", .required = true},
                                                  {.key = "instrumentType",
                                                   .required = true,
                                                   .oneOf = kTypes,
                                                   .notOneOf = "is not an instrument type"}};
        if (auto errors = fieldErrors(body.object, rules); !errors.empty()) {
            return invalidRequest("The verification request is not valid.", std::move(errors));
        }
        const std::string id = "ivs-" + std::to_string(nextId->fetch_add(1));
        const auto now = std::chrono::system_clock::now();
        boost::json::object session;
        storeFields(body.object, rules, session);
        session["id"] = id;
        session["redirectUrl"] = request.origin() + "/sandbox/instrument-verification/" + id;
        session["creationTime"] = internetDateTime(now);
        session["expirationTime"] = internetDateTime(now + std::chrono::minutes(30));
        session["sessionStatus"] = "ACTIVE";
        store.put(kInstrumentVerificationsCollection, id, session);
        return Reply::json(201, session);
    });

    context.routes.add("GET", sessions, [&store](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        const auto status = request.queryItem("sessionStatus");
        std::vector<boost::json::value> matching;
        for (auto& stored : store.list(kInstrumentVerificationsCollection)) {
            if (!status || isText(stored.at("sessionStatus"), *status))
                matching.push_back(std::move(stored));
        }
        return listReply(request, matching, "instrumentVerifications");
    });

    context.routes.add("GET", sessions + "/{id}", [&store](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        const auto id = request.pathParameter("id").value_or("");
        const auto session = store.get(kInstrumentVerificationsCollection, id);
        return session ? Reply::json(200, *session) : notFound("verification session " + id);
    });

    context.routes.add(
        "GET", "sandbox/instrument-verification/{id}",
        [&store, nextId](const RouteRequest& request) {
            const auto id = request.pathParameter("id").value_or("");
            std::optional<std::string> destination;
            std::optional<boost::json::object> saved;
            store.update(kInstrumentVerificationsCollection, id, [&](boost::json::value& stored) {
                auto& session = stored.as_object();
                const std::string returnUrl(session.at("returnUrl").as_string());
                destination = withQueryItem(returnUrl, "sessionId", id);
                if (session.at("sessionStatus") != "ACTIVE") return;
                const std::string type(session.at("instrumentType").as_string());
                saved =
                    verifiedInstrument(type, "pi-verified-" + std::to_string(nextId->fetch_add(1)));
                session["sessionStatus"] = "COMPLETED";
                session["instrument"] = {{"id", saved->at("id")}, {"instrumentType", type}};
            });
            if (!destination) return notFound("verification session " + id);
            if (saved) store.put(kInstrumentsCollection, saved->at("id").as_string(), *saved);
            Reply reply = Reply::empty(302);
            reply.headers.emplace_back("Location", *destination);
            return reply;
        });
}

}  // namespace corvend::sandbox
