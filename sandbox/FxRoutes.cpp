#include "FxRoutes.hpp"

#include <algorithm>
#include <atomic>
#include <boost/json/object.hpp>
#include <boost/json/serialize.hpp>
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

// Every code of a seeded rate, either side.
std::span<const std::string_view> quotedCurrencies() {
    static const std::vector<std::string_view> codes = [] {
        std::vector<std::string_view> all;
        for (const auto& seed : kSeedRates) {
            for (auto code : {seed.sourceCurrency, seed.targetCurrency}) {
                if (std::ranges::find(all, code) == all.end()) all.push_back(code);
            }
        }
        return all;
    }();
    return codes;
}

// A quote request names two quoted currencies.
std::span<const FieldRule> quoteFields() {
    static const FieldRule rules[] = {
        {.key = "sourceCurrency",
         .kind = FieldRule::Kind::currency,
         .required = true,
         .oneOf = quotedCurrencies(),
         .notOneOf = "is not a quoted currency"},
        {.key = "targetCurrency",
         .kind = FieldRule::Kind::currency,
         .required = true,
         .oneOf = quotedCurrencies(),
         .notOneOf = "is not a quoted currency"},
    };
    return rules;
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
        auto body = objectBody(request);
        if (body.refused) return *body.refused;
        if (auto errors = fieldErrors(body.object, quoteFields()); !errors.empty()) {
            return invalidRequest(std::move(errors));
        }
        const std::string source(body.object.at("sourceCurrency").as_string());
        const std::string target(body.object.at("targetCurrency").as_string());
        const auto seed = seedRate(source, target);
        if (!seed) return invalidRequest({{"targetCurrency", "has no rate from " + source}});

        const auto now = std::chrono::system_clock::now();
        const std::string id = "fxq-" + std::to_string(nextQuote->fetch_add(1));
        boost::json::object quote{
            {"id", id},
            {"sourceCurrency", source},
            {"targetCurrency", target},
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
        return quote ? quoteReply(200, *quote) : notFound("quote " + id);
    });
}

}  // namespace corvend::sandbox
