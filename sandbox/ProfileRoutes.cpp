#include "ProfileRoutes.hpp"

#include <atomic>
#include <boost/json/array.hpp>
#include <boost/json/object.hpp>
#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "FieldRule.hpp"
#include "RouteHelpers.hpp"

namespace corvend::sandbox {

namespace {

constexpr std::string_view kProfile = "digitalwallets/v1/profile";
constexpr std::string_view kCustomerId = "cus-sandbox-1";
constexpr std::string_view kStatusKey = "kyc.status";
constexpr std::string_view kStatusCollection = "kyc";

constexpr FieldRule kCurrencyRule{
    .key = "currencyCode", .kind = FieldRule::Kind::currency, .required = true};
constexpr FieldRule kSessionRules[] = {{.key = "merchantRefNum", .required = true},
                                       {.key = "language"},
                                       {.key = "returnUrl", .required = true}};

std::string route(std::string_view tail) {
    return std::string(kProfile) + std::string(tail);
}

boost::json::object account(std::string_view id, std::string_view currency, std::int64_t balance,
                            boost::json::array instruments) {
    return {{"id", id},
            {"currencyCode", currency},
            {"availableBalance", balance},
            {"totalBalance", balance},
            {"customerId", kCustomerId},
            {"externalId", "ext-" + std::string(id)},
            {"creationTime", "2023-11-02T09:30:00.000Z"},
            {"instruments", std::move(instruments)}};
}

void seed(MemoryStore& store) {
    boost::json::array instruments{
        boost::json::object{{"id", "pi-sandbox-card"},
                            {"customerId", kCustomerId},
                            {"instrumentType", "CARD"},
                            {"status", "VERIFIED"},
                            {"cardHolderName", "Ana Novak"},
                            {"pan", "411111******1111"},
                            {"expiryDate", {{"year", 2029}, {"month", 4}}},
                            {"cardScheme", "VISA"}},
        boost::json::object{{"id", "pi-sandbox-sepa"},
                            {"customerId", kCustomerId},
                            {"instrumentType", "SEPA_BANK_ACCOUNT"},
                            {"status", "VERIFIED"},
                            {"accountHolderName", "Ana Novak"},
                            {"iban", "SI56191000000123438"},
                            {"bic", "BAKOSI2X"}}};
    store.put(kAccountsCollection, "acc-sandbox-1",
              account("acc-sandbox-1", "EUR", 125'000, std::move(instruments)));
    store.put(kStatusCollection, kStatusKey,
              boost::json::object{{"customerId", kCustomerId},
                                  {"externalId", "kyc-ext-1"},
                                  {"kycVerificationStatus", "IN_PROGRESS"}});
}

// The block one "include" value adds, or nothing for a value the service does not know.
std::optional<boost::json::value> includedBlock(std::string_view include,
                                                const MemoryStore& store) {
    if (include == "ACCOUNTS") {
        const auto accounts = store.list(kAccountsCollection);
        return boost::json::value(boost::json::array(accounts.begin(), accounts.end()));
    }
    if (include == "RESTRICTIONS") {
        return boost::json::array{
            boost::json::object{{"id", "rst-1"},
                                {"name", "CARD_DEPOSITS"},
                                {"requiredActions", boost::json::array{"KYC_VERIFICATION"}},
                                {"lastChangeDate", "2024-01-15T08:00:00.000Z"}}};
    }
    if (include == "ADDRESS") {
        return boost::json::object{{"countryCode", "SI"},
                                   {"city", "Ljubljana"},
                                   {"postalCode", "1000"},
                                   {"address1", "Trubarjeva 7"}};
    }
    if (include == "CONTACTINFO") {
        return boost::json::object{{"mobile", "+38640111222"}, {"email", "ana@example.com"}};
    }
    if (include == "INCOMPLETE_ONBOARDING_ATTRIBUTES") return boost::json::array{"OCCUPATION"};
    return std::nullopt;
}

// The key of a block in the profile reply.
std::string blockKey(std::string_view include) {
    if (include == "CONTACTINFO") return "contactInfo";
    if (include == "INCOMPLETE_ONBOARDING_ATTRIBUTES") return "incompleteOnboardingAttributes";
    std::string key(include);
    for (char& c : key) c = static_cast<char>(c - 'A' + 'a');
    return key;
}

Reply profileReply(const RouteRequest& request, const MemoryStore& store) {
    boost::json::object customer{{"id", kCustomerId},
                                 {"title", "Ms"},
                                 {"firstName", "Ana"},
                                 {"lastName", "Novak"},
                                 {"birthDate", "1990-05-17"},
                                 {"nationality", "SI"},
                                 {"occupation", "ENGINEERING"},
                                 {"externalId", "ext-cus-1"},
                                 {"vulnerabilities", boost::json::array{}},
                                 {"type", "PERSONAL"}};
    for (const auto& [name, value] : request.query) {
        if (name != "include") continue;
        auto block = includedBlock(value, store);
        if (!block)
            return invalidRequest("The profile request is not valid.",
                                  {{"include", value + " is not a profile block"}});
        customer[blockKey(value)] = std::move(*block);
    }
    return Reply::json(200, customer);
}

Reply addAccount(const RouteRequest& request, MemoryStore& store, std::atomic<int>& nextId) {
    auto body = objectBody(request);
    if (body.refused) return *body.refused;
    if (auto errors = fieldErrors(body.object, {&kCurrencyRule, 1}); !errors.empty()) {
        return invalidRequest("The account request is not valid.", std::move(errors));
    }
    const std::string currency(body.object.at("currencyCode").as_string());
    for (const auto& held : store.list(kAccountsCollection)) {
        if (held.at("currencyCode").as_string() == currency) {
            return Reply::error(
                409, {.code = "ACCOUNT_EXISTS",
                      .message = "The customer already has a " + currency + " account."});
        }
    }
    const std::string id = "acc-" + std::to_string(nextId.fetch_add(1));
    auto created = account(id, currency, 0, {});
    created["creationTime"] = internetDateTime(std::chrono::system_clock::now());
    store.put(kAccountsCollection, id, created);
    return Reply::json(201, created);
}

Reply createSession(const RouteRequest& request, MemoryStore& store, std::atomic<int>& nextId) {
    auto body = objectBody(request);
    if (body.refused) return *body.refused;
    if (auto errors = fieldErrors(body.object, kSessionRules); !errors.empty()) {
        return invalidRequest("The verification request is not valid.", std::move(errors));
    }
    const auto now = std::chrono::system_clock::now();
    const std::string id = "kyc-" + std::to_string(nextId.fetch_add(1));
    boost::json::object session;
    storeFields(body.object, kSessionRules, session);
    session["id"] = id;
    session["customerId"] = kCustomerId;
    session["creationTime"] = internetDateTime(now);
    session["expirationTime"] = internetDateTime(now + std::chrono::hours(1));
    session["status"] = "CREATED";
    session["redirectUrl"] = request.origin() + "/sandbox/kyc/" + id;
    store.put(kKycSessionsCollection, id, session);
    return Reply::json(201, session);
}

// The verification page: one link per way the customer can leave it.
Reply verificationPage(const RouteRequest& request, MemoryStore& store) {
    const auto id = request.pathParameter("id").value_or("");
    if (!store.get(kKycSessionsCollection, id)) return notFound("verification session " + id);
    const std::string base = "/sandbox/kyc/" + id + "/";
    Reply reply;
    reply.contentType = "text/html; charset=utf-8";
    reply.body = "<!doctype html><title>Identity verification</title><p>Session " + id +
                 "</p><a href=\"" + base + "complete\">Complete</a> <a href=\"" + base +
                 "cancel\">Cancel</a> <a href=\"" + base + "abandon\">Abandon</a>";
    return reply;
}

// The page a link leads to: records the customer's choice, then sends the browser back to the
// session's return address.
Reply verificationChoice(const RouteRequest& request, MemoryStore& store) {
    const auto id = request.pathParameter("id").value_or("");
    const auto choice = request.pathParameter("choice").value_or("");
    if (choice != "complete" && choice != "cancel" && choice != "abandon") {
        return notFound("verification page " + choice);
    }
    std::optional<std::string> destination;
    store.update(kKycSessionsCollection, id, [&](boost::json::value& stored) {
        auto& session = stored.as_object();
        const std::string returnUrl(session.at("returnUrl").as_string());
        destination = withQueryItem(returnUrl, "sessionId", id);
        if (choice == "complete") session["status"] = "COMPLETE";
        if (choice == "cancel") session["status"] = "CANCELLED";
    });
    if (!destination) return notFound("verification session " + id);
    if (choice == "complete") {
        store.update(kStatusCollection, kStatusKey, [](boost::json::value& status) {
            status.as_object()["kycVerificationStatus"] = "COMPLETED";
        });
    }
    Reply reply = Reply::empty(302);
    reply.headers.emplace_back("Location", *destination);
    return reply;
}

// GET of one stored document, 404 error document when there is none.
RouteHandler storedDocument(MemoryStore& store, std::string_view collection, std::string noun) {
    return [&store, collection, noun = std::move(noun)](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        const auto id = request.pathParameter("id").value_or("");
        const auto document = store.get(collection, id);
        return document ? Reply::json(200, *document) : notFound(noun + " " + id);
    };
}

}  // namespace

void addProfileRoutes(const RouteContext& context) {
    auto& store = context.store;
    seed(store);
    const auto nextId = std::make_shared<std::atomic<int>>(1);

    context.routes.add("GET", kProfile, [&store](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        return profileReply(request, store);
    });
    context.routes.add("GET", route("/accounts"), [&store](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        const auto accounts = store.list(kAccountsCollection);
        return Reply::json(200, boost::json::array(accounts.begin(), accounts.end()));
    });
    context.routes.add("POST", route("/accounts"), [&store, nextId](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        return addAccount(request, store, *nextId);
    });
    context.routes.add("GET", route("/accounts/{id}"),
                       storedDocument(store, kAccountsCollection, "account"));
    context.routes.add("GET", route("/kyc/status"), [&store](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        return Reply::json(200, *store.get(kStatusCollection, kStatusKey));
    });
    context.routes.add("POST", route("/kyc/sessions"),
                       [&store, nextId](const RouteRequest& request) {
                           if (auto refused = refusedWithoutToken(request)) return *refused;
                           return createSession(request, store, *nextId);
                       });
    context.routes.add("GET", route("/kyc/sessions/{id}"),
                       storedDocument(store, kKycSessionsCollection, "verification session"));
    context.routes.add("GET", "sandbox/kyc/{id}", [&store](const RouteRequest& request) {
        return verificationPage(request, store);
    });
    context.routes.add("GET", "sandbox/kyc/{id}/{choice}", [&store](const RouteRequest& request) {
        return verificationChoice(request, store);
    });
}

}  // namespace corvend::sandbox
