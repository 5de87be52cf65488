#include "FxRoutes.hpp"

#include <atomic>
#include <boost/json/object.hpp>
#include <boost/json/parse.hpp>
#include <boost/json/serialize.hpp>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "RecordedRequest.hpp"
#include "RouteHelpers.hpp"

namespace corvend::sandbox {

namespace {

constexpr std::string_view kQuotesPattern = "digitalwallets/v1/profile/fxrate";
constexpr std::string_view kQuotePattern = "digitalwallets/v1/profile/fxrate/{id}";
constexpr auto kQuoteLifetime = std::chrono::minutes(10);

// Kept as text: a JSON library holding the rate as a double would change its digits.
constexpr FxSeedRate kSeedRates[] = {
    {"EUR", "USD", "1.0850"},
    {"USD", "EUR", "0.9217"},
    {"GBP", "USD", "1.2650"},
    {"USD", "GBP", "0.7905"},
    {"EUR", "GBP", "0.8578"},
    {"GBP", "EUR", "1.1658"},
    {"USD", "CAD", "1.3542"},
    // As many digits as a quote can carry, to show that none is lost on the way.
    {"USD", "JPY", "149.87654321098765432109876543210987654"},
};

std::optional<FxSeedRate> seedRate(std::string_view source, std::string_view target) {
    for (const auto& seed : kSeedRates) {
        if (seed.sourceCurrency == source && seed.targetCurrency == target) return seed;
    }
    return std::nullopt;
}

bool isQuotedCurrency(std::string_view code) {
    for (const auto& seed : kSeedRates) {
        if (seed.sourceCurrency == code || seed.targetCurrency == code) return true;
    }
    return false;
}

// The stored quote as reply text. The store keeps the rate as a string; it is written here as
// the JSON number whose text it is, so its digits reach the client unchanged.
std::string quoteText(const boost::json::value& stored) {
    boost::json::object quote = stored.as_object();
    const std::string rate(quote.at("fxRate").as_string());
    quote.erase("fxRate");
    std::string text = boost::json::serialize(quote);
    text.pop_back();  // the closing brace
    text += quote.empty() ? "\"fxRate\":" : ",\"fxRate\":";
    text += rate;
    text += '}';
    return text;
}

Reply quoteReply(int status, const boost::json::value& stored) {
    Reply reply;
    reply.status = status;
    reply.body = quoteText(stored);
    reply.contentType = "application/json";
    return reply;
}

// The currency code under `key`, or nothing with the reason added to `errors`.
std::optional<std::string> currencyField(const boost::json::object& body, std::string_view key,
                                         std::vector<ErrorDocument::FieldError>& errors) {
    const auto* value = body.if_contains(key);
    if (value == nullptr || value->is_null()) {
        errors.push_back({std::string(key), "is required"});
        return std::nullopt;
    }
    if (!value->is_string()) {
        errors.push_back({std::string(key), "must be a string"});
        return std::nullopt;
    }
    std::string code(value->as_string());
    if (!isQuotedCurrency(code)) {
        errors.push_back({std::string(key), "is not a quoted currency"});
        return std::nullopt;
    }
    return code;
}

Reply invalidRequest(std::vector<ErrorDocument::FieldError> errors) {
    return sandbox::invalidRequest("The quote request is not valid.", std::move(errors));
}

}  // namespace

std::span<const FxSeedRate> fxSeedRates() {
    return kSeedRates;
}

void addFxRoutes(const RouteContext& context) {
    auto& store = context.store;
    auto nextQuote = std::make_shared<std::atomic<std::uint64_t>>(1);

    context.routes.add("POST", kQuotesPattern, [&store, nextQuote](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        boost::system::error_code error;
        const auto body = boost::json::parse(request.request.body, error);
        if (error || !body.is_object()) return invalidRequest({{"body", "must be a JSON object"}});

        std::vector<ErrorDocument::FieldError> errors;
        const auto source = currencyField(body.as_object(), "sourceCurrency", errors);
        const auto target = currencyField(body.as_object(), "targetCurrency", errors);
        if (!errors.empty()) return invalidRequest(std::move(errors));
        const auto seed = seedRate(*source, *target);
        if (!seed) return invalidRequest({{"targetCurrency", "has no rate from " + *source}});

        const auto now = std::chrono::system_clock::now();
        const std::string id = "fxq-" + std::to_string(nextQuote->fetch_add(1));
        boost::json::object quote{
            {"id", id},
            {"sourceCurrency", *source},
            {"targetCurrency", *target},
            {"creationTime", internetDateTime(now)},
            {"expirationTime", internetDateTime(now + kQuoteLifetime)},
            {"fxRate", seed->rate},
        };
        store.put(kFxQuotesCollection, id, quote);
        return quoteReply(201, quote);
    });

    context.routes.add("GET", kQuotePattern, [&store](const RouteRequest& request) {
        if (auto refused = refusedWithoutToken(request)) return *refused;
        const auto id = request.pathParameter("id").value_or("");
        const auto quote = store.get(kFxQuotesCollection, id);
        if (!quote) {
            return Reply::error(404, {.code = "NOT_FOUND", .message = "No quote " + id + "."});
        }
        return quoteReply(200, *quote);
    });
}

}  // namespace corvend::sandbox
