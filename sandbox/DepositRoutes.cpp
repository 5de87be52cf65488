#include "DepositRoutes.hpp"

#include <boost/json/array.hpp>
#include <boost/json/object.hpp>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "InstrumentRoutes.hpp"
#include "PaymentRoutes.hpp"
#include "RouteHelpers.hpp"

namespace corvend::sandbox {

namespace {

constexpr std::string_view kThreeDSPage = "sandbox/3ds/{id}";
constexpr std::string_view kThreeDSChallenge = "sandbox/3ds/{id}/challenge";
// Card deposits below this many minor units skip 3-D Secure.
constexpr std::int64_t kThreeDSThreshold = 1'000;
// Amounts ending in these minor units take the issuer's challenge page on the way.
constexpr std::int64_t kChallengeCents = 77;
constexpr std::string_view kCustomerId = "cus-sandbox-1";
constexpr std::string_view kAccountId = "acc-sandbox-1";
constexpr auto kPreviewLifetime = std::chrono::minutes(30);

// The options served at "options", and the only ones a preview may name.
constexpr std::string_view kOptionNames[] = {"CARD", "BANK_TRANSFER", "OFFLINE_BANK_TRANSFER"};

// Card deposits pay a flat fee; bank deposits are free.
boost::json::array depositFees(std::string_view option, std::string_view currency) {
    if (option != "CARD") return {};
    return {boost::json::object{
        {"amount", 35}, {"currency", currency}, {"paymentReason", "MERCHANT_FEE"}}};
}

boost::json::object seeded(std::string_view id, std::int64_t amount, std::string_view option,
                           std::chrono::system_clock::time_point created) {
    return {
        {"amount", amount},
        {"currencyCode", "EUR"},
        {"paymentOption", option},
        {"id", id},
        {"customerId", kCustomerId},
        {"accountId", kAccountId},
        {"slipId", "SLIP-" + std::string(id)},
        {"creationTime", internetDateTime(created)},
        {"fees", depositFees(option, "EUR")},
        {"action", "NONE"},
    };
}

void seedDeposits(MemoryStore& store) {
    const auto lastWeek = std::chrono::system_clock::now() - std::chrono::days(7);
    auto bank = seeded("dep-seed-1", 50'000, "BANK_TRANSFER", lastWeek);
    bank["merchantRefNum"] = "salary-march";
    bank["fundingTransactionId"] = "ft-dep-seed-1";
    bank["status"] = "COMPLETED";
    store.put(kDepositsCollection, "dep-seed-1", std::move(bank));
    auto card = seeded("dep-seed-2", 2'000, "CARD", lastWeek + std::chrono::days(2));
    card["paymentInstrumentReference"] = {{"id", "pi-sandbox-card"}, {"instrumentType", "CARD"}};
    card["status"] = "FAILED";
    card["statusReason"] = "The card issuer declined the payment.";
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

void previewed(boost::json::object& deposit) {
    const auto now = std::chrono::system_clock::now();
    deposit["customerId"] = kCustomerId;
    deposit["accountId"] = kAccountId;
    deposit["fees"] = depositFees(deposit.at("paymentOption").as_string(),
                                  deposit.at("currencyCode").as_string());
    deposit["expirationTime"] = internetDateTime(now + kPreviewLifetime);
    deposit["nextStatus"] = boost::json::array{"PENDING"};
    deposit["action"] = "NONE";
}

// A card deposit of the threshold or more with return addresses goes through 3-D Secure.
bool needsRedirect(const boost::json::object& deposit) {
    const auto* links = deposit.if_contains("returnUrls");
    return deposit.at("paymentOption") == "CARD" && links != nullptr &&
           !links->as_array().empty() &&
           deposit.at("amount").to_number<std::int64_t>() >= kThreeDSThreshold;
}

bool takesChallenge(const boost::json::object& deposit) {
    return deposit.at("amount").to_number<std::int64_t>() % 100 == kChallengeCents;
}

Reply redirectTo(const std::string& location) {
    Reply reply = Reply::empty(302);
    reply.headers.emplace_back("Location", location);
    return reply;
}

// The address the 3-D Secure page returns to: the DEFAULT link, else ON_COMPLETED.
std::optional<std::string> returnAddress(const boost::json::object& deposit) {
    const auto* links = deposit.if_contains("returnUrls");
    if (links == nullptr) return std::nullopt;
    std::optional<std::string> completed;
    for (const auto& link : links->as_array()) {
        const auto* rel = link.as_object().if_contains("rel");
        const auto* href = link.as_object().if_contains("href");
        if (rel == nullptr || href == nullptr || !href->is_string()) continue;
        if (*rel == "DEFAULT") return std::string(href->as_string());
        if (*rel == "ON_COMPLETED" && !completed) completed = std::string(href->as_string());
    }
    return completed;
}

// On "PROCESSING" the reply shows the deposit in flight while the store may already move on.
boost::json::object moved(boost::json::object& deposit, std::string_view status,
                          const RouteRequest& request) {
    if (status == "PENDING") {
        deposit["nextStatus"] = boost::json::array{"PROCESSING"};
        return deposit;
    }
    const std::string id(deposit.at("id").as_string());
    deposit["fundingTransactionId"] = "ft-" + id;
    if (needsRedirect(deposit)) {
        deposit["action"] = "REDIRECT";
        deposit["nextStatus"] = boost::json::array{"COMPLETED", "FAILED"};
        deposit["redirectUrl"] = {{"rel", "REDIRECT_PAYMENT"},
                                  {"href", request.origin() + "/sandbox/3ds/" + id},
                                  {"method", "GET"}};
        return deposit;
    }
    deposit["nextStatus"] = boost::json::array{"COMPLETED"};
    auto reply = deposit;
    deposit["status"] = "COMPLETED";
    deposit["nextStatus"] = boost::json::array{};
    return reply;
}

// Whether the deposit's properties ask to keep its card.
bool keepsCard(const boost::json::object& deposit) {
    const auto* properties = deposit.if_contains("paymentProperties");
    if (properties == nullptr || !properties->is_array()) return false;
    for (const auto& property : properties->as_array()) {
        const auto& pair = property.as_object();
        const auto* key = pair.if_contains("key");
        const auto* value = pair.if_contains("value");
        if (key != nullptr && isText(*key, "CARD_SAVE_INSTRUMENT"))
            return value != nullptr && isText(*value, "true");
    }
    return false;
}

// The digits of a card number as typed.
std::string digitsOf(std::string_view pan) {
    std::string digits;
    for (const char c : pan) {
        if (c >= '0' && c <= '9') digits += c;
    }
    return digits;
}

// The number as a saved card shows it: the first six and last four digits, the rest starred.
std::string maskedNumber(std::string digits) {
    const std::size_t shown = digits.size() >= 10 ? 6 : 0;
    for (std::size_t i = shown; i + 4 < digits.size(); ++i) digits[i] = '*';
    return digits;
}

// "VISA" or "MC" by the number's first digits; nothing for another scheme.
std::optional<std::string_view> cardScheme(const std::string& digits) {
    if (digits.starts_with('4')) return "VISA";
    const int two = digits.size() >= 2 ? std::stoi(digits.substr(0, 2)) : 0;
    const int four = digits.size() >= 4 ? std::stoi(digits.substr(0, 4)) : 0;
    if ((two >= 51 && two <= 55) || (four >= 2221 && four <= 2720)) return "MC";
    return std::nullopt;
}

// A completed card deposit whose properties ask to keep the card it was created with: that
// card, saved as a verified card instrument of the deposit's customer (once per number and
// expiry). Any other deposit saves nothing.
void keepCard(MemoryStore& store, const boost::json::object& deposit) {
    if (!isText(deposit.at("status"), "COMPLETED") || !keepsCard(deposit)) return;
    const auto* sent = deposit.if_contains("paymentInstrument");
    if (sent == nullptr) return;
    const auto& card = sent->as_object();
    const auto* pan = card.if_contains("pan");
    const auto* expiry = card.if_contains("expiryDate");
    if (!isText(card.at("instrumentType"), "CARD") || pan == nullptr || !pan->is_string() ||
        expiry == nullptr || !expiry->is_object() || !expiry->as_object().contains("year") ||
        !expiry->as_object().contains("month")) {
        return;
    }
    const std::string digits = digitsOf(pan->as_string());
    // A card form sends the year as typed ("30"); saved cards keep the whole year.
    auto year = expiry->at("year");
    if (year.is_int64() && year.as_int64() >= 0 && year.as_int64() < 100)
        year = year.as_int64() + 2000;
    const std::string id = "pi-card-" + std::string(deposit.at("id").as_string());
    boost::json::object saved{{"id", id},
                              {"customerId", deposit.at("customerId")},
                              {"instrumentType", "CARD"},
                              {"status", "VERIFIED"},
                              {"pan", maskedNumber(digits)},
                              {"expiryDate", {{"year", year}, {"month", expiry->at("month")}}},
                              {"creationTime", internetDateTime(std::chrono::system_clock::now())}};
    if (const auto scheme = cardScheme(digits)) saved["cardScheme"] = *scheme;
    for (const std::string_view key : {"cardHolderName", "description"}) {
        if (const auto* value = card.if_contains(key); value != nullptr && value->is_string())
            saved[key] = *value;
    }
    for (const auto& stored : store.list(kInstrumentsCollection)) {
        const auto& other = stored.as_object();
        if (other.if_contains("customerId") && other.at("customerId") == saved.at("customerId") &&
            other.if_contains("pan") && other.at("pan") == saved.at("pan") &&
            other.if_contains("expiryDate") && other.at("expiryDate") == saved.at("expiryDate")) {
            return;
        }
    }
    store.put(kInstrumentsCollection, id, std::move(saved));
}

}  // namespace

void addDepositRoutes(const RouteContext& context) {
    auto& store = context.store;
    seedDeposits(store);
    auto fields = paymentTermsFields(
        kOptionNames,
        "is not a deposit option the service offers: CARD, BANK_TRANSFER or OFFLINE_BANK_TRANSFER");
    fields.push_back({.key = "returnUrls", .kind = FieldRule::Kind::objects});
    fields.push_back({.key = "paymentProperties", .kind = FieldRule::Kind::textPairs});
    addPaymentRoutes(
        context,
        {.noun = "deposit",
         .collection = kDepositsCollection,
         .idPrefix = "dep-",
         .previewFields = std::move(fields),
         // A create carries the instrument to charge; confirm none.
         .statusFields = {{.key = "paymentInstrument", .kind = FieldRule::Kind::object}},
         .options = depositOptions(),
         .previewed = previewed,
         .moved = moved,
         .changed = [&store](const boost::json::object& deposit) { keepCard(store, deposit); }});

    // The issuer's pages wait for the customer: the 3-D Secure page (and, for some amounts, the
    // challenge page after it) offers "Approve" and "Decline" links. Approving the last page
    // completes the deposit, declining fails it; either way the browser goes on to the
    // deposit's return address.
    enum class Choice { show, approve, decline };
    auto handle = [&store](const RouteRequest& request, bool challengePage,
                           Choice choice) -> Reply {
        const auto id = request.pathParameter("id").value_or("");
        std::optional<std::string> destination;
        std::optional<boost::json::object> decided;
        bool onToChallenge = false;
        store.update(kDepositsCollection, id, [&](boost::json::value& stored) {
            auto& deposit = stored.as_object();
            if (deposit.at("action") != "REDIRECT" || deposit.at("status") != "PROCESSING") return;
            destination = returnAddress(deposit);
            if (!destination || choice == Choice::show) return;
            if (choice == Choice::approve && !challengePage && takesChallenge(deposit)) {
                onToChallenge = true;
                return;
            }
            deposit["status"] = choice == Choice::approve ? "COMPLETED" : "FAILED";
            if (choice == Choice::decline)
                deposit["statusReason"] = "The customer declined the payment.";
            deposit["action"] = "NONE";
            deposit["nextStatus"] = boost::json::array{};
            deposit.erase("redirectUrl");
            decided = deposit;
        });
        if (decided) keepCard(store, *decided);
        if (!destination) return notFound("3-D Secure session " + id);
        const std::string page = "/sandbox/3ds/" + id + (challengePage ? "/challenge" : "");
        if (onToChallenge)
            return redirectTo(request.origin() + "/sandbox/3ds/" + id + "/challenge");
        if (choice != Choice::show) return redirectTo(*destination);
        Reply reply;
        reply.contentType = "text/html; charset=utf-8";
        reply.body = std::string("<!doctype html><title>") +
                     (challengePage ? "Issuer challenge" : "3-D Secure") + "</title><p>" +
                     (challengePage ? "Your card issuer asks you to confirm it is you."
                                    : "Confirm the card payment for deposit " + id + ".") +
                     "</p><a href=\"" + page + "/approve\">Approve</a> <a href=\"" + page +
                     "/decline\">Decline</a>";
        return reply;
    };
    const std::pair<std::string_view, bool> pages[] = {{kThreeDSPage, false},
                                                       {kThreeDSChallenge, true}};
    for (const auto& [path, challengePage] : pages) {
        const bool onChallenge = challengePage;
        context.routes.add("GET", path, [handle, onChallenge](const RouteRequest& request) {
            return handle(request, onChallenge, Choice::show);
        });
        context.routes.add("GET", std::string(path) + "/approve",
                           [handle, onChallenge](const RouteRequest& request) {
                               return handle(request, onChallenge, Choice::approve);
                           });
        context.routes.add("GET", std::string(path) + "/decline",
                           [handle, onChallenge](const RouteRequest& request) {
                               return handle(request, onChallenge, Choice::decline);
                           });
    }
}

}  // namespace corvend::sandbox
