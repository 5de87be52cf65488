// Currency-exchange quotes end to end: the kit's repository over a real network manager against
// the sandbox's quote routes.

#include <gtest/gtest.h>

#include <boost/json.hpp>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CorvendWallet/core/foundation/WalletError.hpp"
#include "CorvendWallet/services/money/CurrencyExchangeRepository.hpp"
#include "sandbox/FxRoutes.hpp"
#include "tests/integration/SandboxTest.hpp"

namespace corvend::integration {
namespace {

using model::WalletError;

constexpr std::string_view kQuotesPath = "digitalwallets/v1/profile/fxrate";

std::string quoteRequest(std::string_view source, std::string_view target) {
    return R"({"sourceCurrency":")" + std::string(source) + R"(","targetCurrency":")" +
           std::string(target) + R"("})";
}

// The rate text the sandbox quotes for a pair it has seeded.
std::string seededRate(std::string_view source, std::string_view target) {
    for (const auto& seed : sandbox::fxSeedRates()) {
        if (seed.sourceCurrency == source && seed.targetCurrency == target) {
            return std::string(seed.rate);
        }
    }
    ADD_FAILURE() << "no seeded rate from " << source << " to " << target;
    return {};
}

class CurrencyExchangeTest : public SandboxTest {
  protected:
    const std::shared_ptr<NetworkManager> manager = configuredManager("user-token-1");
    const std::shared_ptr<CurrencyExchangeRepository> service =
        CurrencyExchangeRepository::make(manager);
};

TEST_F(CurrencyExchangeTest, CreatedQuotesCarryTheExactRateAndReadBackUnchanged) {
    for (const auto& seed : sandbox::fxSeedRates()) {
        SCOPED_TRACE(seed.rate);
        sandbox.clearRequests();
        const auto created = service->createQuote(
            {std::string(seed.sourceCurrency), std::string(seed.targetCurrency)});
        ASSERT_TRUE(created.id().has_value());
        EXPECT_EQ(created.sourceCurrency(), seed.sourceCurrency);
        EXPECT_EQ(created.targetCurrency(), seed.targetCurrency);
        EXPECT_EQ(created.fxRate().toString(), seed.rate);
        EXPECT_LT(created.creationTime(), created.expirationTime());
        EXPECT_EQ(created.sender(), std::nullopt);

        const auto read = service->getQuote(*created.id());
        EXPECT_EQ(read, created);
        EXPECT_EQ(read.fxRate().toString(), seed.rate);

        const auto requests = sandbox.requests();
        ASSERT_EQ(requests.size(), 2u);
        EXPECT_EQ(requests[0].method, "POST");
        EXPECT_EQ(requests[0].target, "/" + std::string(kQuotesPath));
        EXPECT_EQ(requests[0].header("Content-Type"), "application/json");
        EXPECT_EQ(requests[0].header("Authorization"), "Bearer user-token-1");
        EXPECT_EQ(requests[0].body, quoteRequest(seed.sourceCurrency, seed.targetCurrency));
        EXPECT_EQ(requests[1].method, "GET");
        EXPECT_EQ(requests[1].target, "/" + std::string(kQuotesPath) + "/" + *created.id());
        EXPECT_EQ(requests[1].body, "");
    }
}

TEST_F(CurrencyExchangeTest, ServiceErrorDocumentsReachTheCallerAsDataErrors) {
    struct Row {
        const char* name;
        std::function<model::FXRate()> call;
        std::string target;  // as sent on the request line
        std::string body;    // as sent
        WalletError::ErrorDetails details;
    };
    const std::vector<Row> rows = {
        {"pair without a rate",
         [&] {
             return service->createQuote({"EUR", "JPY"});
         },
         "/" + std::string(kQuotesPath),
         quoteRequest("EUR", "JPY"),
         {.httpStatus = 400,
          .code = "BAD_REQUEST",
          .message = "The quote request is not valid.",
          .fieldErrors = {{{"targetCurrency", "has no rate from EUR"}}}}},
        // Codes go out as given; the service does not know them in lower case.
        {"lower-case codes",
         [&] {
             return service->createQuote({"eur", "usd"});
         },
         "/" + std::string(kQuotesPath),
         quoteRequest("eur", "usd"),
         {.httpStatus = 400,
          .code = "BAD_REQUEST",
          .message = "The quote request is not valid.",
          .fieldErrors = {{{"sourceCurrency", "is not a quoted currency"},
                           {"targetCurrency", "is not a quoted currency"}}}}},
        // The identifier stays one segment: the route sees all of it.
        {"unknown quote",
         [&] { return service->getQuote("a/b?c"); },
         "/" + std::string(kQuotesPath) + "/a%2Fb%3Fc",
         "",
         {.httpStatus = 404, .code = "NOT_FOUND", .message = "No quote a/b?c."}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        sandbox.clearRequests();
        const auto error = failureOf(row.call);
        const auto requests = sandbox.requests();
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0].target, row.target);
        EXPECT_EQ(requests[0].body, row.body);
        auto details = row.details;
        details.errorID = requests[0].correlationId;
        EXPECT_EQ(error.as<WalletError>(), WalletError::dataError(details)) << error.description();
    }
}

TEST_F(CurrencyExchangeTest, WithoutAccessTokenTheQuoteIsRefusedAsExpired) {
    const auto anonymous = CurrencyExchangeRepository::make(configuredManager());
    const auto error = failureOf([&] { return anonymous->createQuote({"EUR", "USD"}); });
    EXPECT_EQ(error.as<WalletError>(), WalletError::tokenExpired(lastRecordedCorrelationId()))
        << error.description();
}

TEST_F(CurrencyExchangeTest, ServiceMadeBeforeTheSetUpWorksOnceItHasRun) {
    const auto early = makeManager();
    const auto earlyService = CurrencyExchangeRepository::make(early);
    const auto error = failureOf([&] { return earlyService->getQuote("fxq-1"); });
    EXPECT_EQ(error.as<WalletError>(), WalletError::notConfigured()) << error.description();
    EXPECT_TRUE(sandbox.requests().empty());

    early->setEnvironment(environment("user-token-2"));
    EXPECT_EQ(earlyService->createQuote({"GBP", "EUR"}).sourceCurrency(), "GBP");
}

TEST_F(CurrencyExchangeTest, UndecodableQuoteFailsWithI0005AndIsReportedOnce) {
    installEventReporter(*manager);
    sandbox.scriptNextReply(
        "POST", std::string(kQuotesPath),
        {.status = 201,
         .body =
             R"({"id":"fxq-9","sourceCurrency":"EUR","targetCurrency":"USD",)"
             R"("creationTime":"2023-03-14T09:26:53Z","expirationTime":null,"fxRate":1.0850})"});

    const auto event = expectOneDecodingErrorEvent(failureOf([&] {
        return service->createQuote({"EUR", "USD"});
    }));
    ASSERT_TRUE(event.contains("httpDetails") && event.contains("parameters"));
    EXPECT_EQ(event.at("httpDetails"),
              (boost::json::object{{"url", kQuotesPath}, {"method", "POST"}}));
    EXPECT_EQ(event.at("parameters"),
              (boost::json::array{{{"key", "message"},
                                   {"value",
                                    "Non-optional value expected, found null instead - "
                                    "expirationTime"}}}));
}

TEST_F(CurrencyExchangeTest, CancelledQuoteEndsWithCancellationErrorWhileTheReplyIsHeld) {
    expectCancelledWhileHeld("POST", std::string(kQuotesPath), [service = service] {
        service->createQuote({"EUR", "USD"});
    });
}

TEST_F(CurrencyExchangeTest, CompletionFormDeliversOnTheMainQueueAndStaysSilentWhenCancelled) {
    const auto silentCalls = expectSilentWhenCancelledWhileHeld(
        "GET", std::string(kQuotesPath) + "/held", [&](std::function<void()> completion) {
            return service->getQuote("held", [completion](Result<model::FXRate>) { completion(); });
        });

    const auto delivery = deliveredOnMain<model::FXRate>([&](auto completion) {
        service->createQuote({"USD", "JPY"}, std::move(completion));
    });
    ASSERT_NE(delivery, nullptr);
    const auto& result = *delivery->result;
    ASSERT_TRUE(result.has_value()) << result.error().description();
    EXPECT_EQ(result->fxRate().toString(), seededRate("USD", "JPY"));
    EXPECT_EQ(*silentCalls, 0);
}

}  // namespace
}  // namespace corvend::integration
