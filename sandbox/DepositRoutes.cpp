#include "DepositRoutes.hpp"

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

constexpr std::string_view kRoot = "digitalwallets/v1/profile/deposits";
constexpr std::string_view kThreeDSPage = "sandbox/3ds/{id}";
constexpr std::string_view kOptionNames[] = {"CARD", "BANK_TRANSFER", "OFFLINE_BANK_TRANSFER",
                                             "VELNO_TRANSFER"};

std::string at(std::string_view suffix) {
    return std::string(kRoot) + std::string(suffix);
}

// Card deposits pay a flat fee; bank deposits are free.
boost::json::array depositFees(std::string_view option, std::string_view currency) {
    if (option != "CARD") return {};
    return {boost::json::object{
        {"amount", 35}, {"currency", currency}, {"paymentReason", "MERCHANT_FEE"}}};
}

boost::json::object record(std::string_view id, std::int64_t amount, std::string_view currency,
                           std::string_view option, std::chrono::system_clock::time_point created) {
    return {
        {"amount", amount},
        {"currencyCode", currency},
        {"paymentOption", option},
        {"id", id},
        {"customerId", "cus-sandbox-1"},
        {"accountId", "acc-sandbox-1"},
        {"slipId", "SLIP-" + std::string(id)},
        {"creationTime", internetDateTime(created)},
        {"fees", depositFees(option, currency)},
    };
}

void seedDeposits(MemoryStore& store) {
    const auto lastWeek = std::chrono::system_clock::now() - std::chrono::days(7);
    auto bank = record("dep-seed-1", 50'000, "EUR", "BANK_TRANSFER", lastWeek);
    bank["merchantRefNum"] = "salary-march";
    bank["fundingTransactionId"] = "ft-dep-seed-1";
    bank["status"] = "COMPLETED";
    bank["action"] = "NONE";
    store.put(kDepositsCollection, "dep-seed-1", std::move(bank));
    auto card = record("dep-seed-2", 2'000, "EUR", "CARD", lastWeek + std::chrono::days(2));
    card["paymentInstrumentReference"] = {{"id", "pi-sandbox-card"}, {"instrumentType", "CARD"}};
    card["status"] = "FAILED";
    card["statusReason"] = "The card issuer declined the payment.";
    card["action"] = "NONE";
    store.put(kDepositsCollection, "dep-seed-2", std::move(card));
}

boost::json::array depositOptions() {
    return {
        boost::json::object{
            {"paymentOption", "CARD"},
            {"instrumentTypes", boost::json::array{"CARD"}},
            {"paymentOptionSettings",
             {{"paymentOption", "CARD"}, {"cardSchemes", boost::json::array{"VISA", "MC"}}}}},
        boost::json::object{{"paymentOption", "BANK_TRANSFER"},
                            {"instrumentTypes", boost::json::array{"SEPA_BANK_ACCOUNT"}}},
        boost::json::object{{"paymentOption", "OFFLINE_BANK_TRANSFER"}},
    };
}

bool isOption(std::string_view text) {
    for (std::string_view name : kOptionNames) {
        if (name == text) return true;
    }
    return false;
}

// The preview's new record, or nothing with the reasons added to `errors`.
std::optional<boost::json::object> previewed(const boost::json::object& body, std::string_view id,
                                             std::vector<ErrorDocument::FieldError>& errors) {
    const auto* amount = body.if_contains("amount");
    if (amount == nullptr || !amount->is_int64() || amount->as_int64() <= 0) {
        errors.push_back({"amount", "must be a whole number above 0"});
    }
    const auto* currency = body.if_contains("currencyCode");
    if (currency == nullptr || !currency->is_string() || currency->as_string().size() != 3) {
        errors.push_back({"currencyCode", "must be a three-letter currency code"});
    }
    const auto* option = body.if_contains("paymentOption");
    if (option == nullptr || !option->is_string() || !isOption(option->as_string())) {
        errors.push_back({"paymentOption", "is not a deposit option"});
    }
    if (!errors.empty()) return std::nullopt;

    const auto now = std::chrono::system_clock::now();
    auto deposit = record(id, amount->as_int64(), currency->as_string(), option->as_string(), now);
    for (std::string_view key :
         {"paymentInstrumentReference", "merchantRefNum", "returnUrls", "paymentProperties"}) {
        if (const auto* value = body.if_contains(key)) deposit[key] = *value;
    }
    deposit["expirationTime"] = internetDateTime(now + std::chrono::minutes(30));
    deposit["status"] = "PREVIEW";
    deposit["nextStatus"] = boost::json::array{"PENDING"};
    deposit["action"] = "NONE";
    return deposit;
}

// A card deposit with return addresses goes through 3-D Secure.
bool needsRedirect(const boost::json::object& deposit) {
    const auto* links = deposit.if_contains("returnUrls");
    return deposit.at("paymentOption") == "CARD" && links != nullptr && links->is_array() &&
           !links->as_array().empty();
}

// The address the 3-D Secure page returns to: the DEFAULT link, else ON_COMPLETED.
std::optional<std::string> returnAddress(const boost::json::object& deposit) {
    const auto* links = deposit.if_contains("returnUrls");
    if (links == nullptr || !links->is_array()) return std::nullopt;
    std::optional<std::string> completed;
    for (const auto& link : links->as_array()) {
        if (!link.is_object()) continue;
        const auto* rel = link.as_object().if_contains("rel");
        const auto* href = link.as_object().if_contains("href");
        if (rel == nullptr || href == nullptr || !href->is_string()) continue;
        if (*rel == "DEFAULT") return std::string(href->as_string());
        if (*rel == "ON_COMPLETED" && !completed) completed = std::string(href->as_string());
    }
    return completed;
}

// Applies the status move `target` to `deposit`; the reason it is refused otherwise. On
// "PROCESSING" the reply shows the deposit in flight while the store may already move on.
std::optional<std::string> moveStatus(boost::json::object& deposit, std::string_view target,
                                      const std::string& pageURL, boost::json::object& reply) {
    const std::string current(deposit.at("status").as_string());
    if (target == "PENDING" && current == "PREVIEW") {
        deposit["status"] = "PENDING";
        deposit["nextStatus"] = boost::json::array{"PROCESSING"};
        deposit.erase("expirationTime");
        reply = deposit;
        return std::nullopt;
    }
    if (target != "PROCESSING" || current != "PENDING") {
        return "cannot move from " + current + " to " + std::string(target);
    }
    deposit["status"] = "PROCESSING";
    deposit["fundingTransactionId"] = "ft-" + std::string(deposit.at("id").as_string());
    if (needsRedirect(deposit)) {
        deposit["action"] = "REDIRECT";
        deposit["nextStatus"] = boost::json::array{"COMPLETED", "FAILED"};
        deposit["redirectUrl"] = {
            {"rel", "REDIRECT_PAYMENT"}, {"href", pageURL}, {"method", "GET"}};
        reply = deposit;
        return std::nullopt;
    }
    deposit["nextStatus"] = boost::json::array{"COMPLETED"};
    reply = deposit;
    deposit["status"] = "COMPLETED";
    deposit["nextStatus"] = boost::json::array{};
    return std::nullopt;
}

}  // namespace

void addDepositRoutes(const RouteContext& context) {
    auto& store = context.store;
    seedDeposits(store);
    auto nextDeposit = std::make_shared<std::atomic<std::uint64_t>>(1);

    context.routes.add("GET", at("/options"), [](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        return Reply::json(200, depositOptions());
    });

    context.routes.add("GET", kRoot, [&store](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        return listReply(request, store.list(kDepositsCollection), "deposits");
    });

    context.routes.add("GET", at("/{id}"), [&store](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        const auto id = request.pathParameter("id").value_or("");
        const auto deposit = store.get(kDepositsCollection, id);
        return deposit ? Reply::json(200, *deposit) : notFound("deposit " + id);
    });

    context.routes.add("POST", kRoot, [&store, nextDeposit](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        auto body = objectBody(request);
        if (body.refused) return *body.refused;
        const std::string id = "dep-" + std::to_string(nextDeposit->fetch_add(1));
        std::vector<ErrorDocument::FieldError> errors;
        auto deposit = previewed(body.object, id, errors);
        if (!deposit) return invalidRequest("The deposit request is not valid.", std::move(errors));
        store.put(kDepositsCollection, id, *deposit);
        return Reply::json(201, *deposit);
    });

    context.routes.add("POST", at("/{id}/status"), [&store](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        auto body = objectBody(request);
        if (body.refused) return *body.refused;
        const auto* status = body.object.if_contains("status");
        if (status == nullptr || !status->is_string()) {
            return invalidRequest("The status change is not valid.",
                                  {{"status", "must be PENDING or PROCESSING"}});
        }
        const auto id = request.pathParameter("id").value_or("");
        const std::string pageURL =
            "http://" + request.header("Host").value_or("127.0.0.1") + "/sandbox/3ds/" + id;
        std::optional<std::string> refusal;
        boost::json::object reply;
        const bool found = store.update(kDepositsCollection, id, [&](boost::json::value& stored) {
            refusal = moveStatus(stored.as_object(), status->as_string(), pageURL, reply);
        });
        if (!found) return notFound("deposit " + id);
        if (refusal)
            return invalidRequest("The status change is not valid.", {{"status", *refusal}});
        return Reply::json(200, reply);
    });

    context.routes.add("GET", kThreeDSPage, [&store](const RouteRequest& request) {
        const auto id = request.pathParameter("id").value_or("");
        std::optional<std::string> destination;
        store.update(kDepositsCollection, id, [&](boost::json::value& stored) {
            auto& deposit = stored.as_object();
            if (deposit.at("action") != "REDIRECT" || deposit.at("status") != "PROCESSING") return;
            destination = returnAddress(deposit);
            if (!destination) return;
            deposit["status"] = "COMPLETED";
            deposit["action"] = "NONE";
            deposit["nextStatus"] = boost::json::array{};
            deposit.erase("redirectUrl");
        });
        if (!destination) return notFound("3-D Secure session " + id);
        Reply reply = Reply::empty(302);
        reply.headers.emplace_back("Location", *destination);
        return reply;
    });
}

}  // namespace corvend::sandbox
