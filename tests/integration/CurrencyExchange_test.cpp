// Currency-exchange quotes end to end: the kit's repository over a real network manager against
// the sandbox's quote routes.

#include <gtest/gtest.h>

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
#include "tests/support/WalletErrorMatchers.hpp"

namespace corvend::integration {
namespace {

using model::WalletError;

constexpr std::string_view kQuotesPath = "digitalwallets/v1/profile/fxrate";

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
        const auto created = service->createQuote(
            {std::string(seed.sourceCurrency), std::string(seed.targetCurrency)});
        ASSERT_TRUE(created.id().has_value());
        EXPECT_EQ(created.sourceCurrency(), seed.sourceCurrency);
        EXPECT_EQ(created.targetCurrency(), seed.targetCurrency);
        EXPECT_EQ(created.fxRate().toString(), seed.rate);
        EXPECT_LT(created.creationTime(), created.expirationTime());
        EXPECT_EQ(created.sender(), std::nullopt);

        const auto read = service->getQuote(*created.id());
        EXPECT_EQ(read.id(), created.id());
        EXPECT_EQ(read.expirationTime(), created.expirationTime());
        EXPECT_EQ(read.fxRate().toString(), seed.rate);
    }
}

TEST_F(CurrencyExchangeTest, ServiceErrorDocumentsReachTheCallerAsDataErrors) {
    struct Row {
        const char* name;
        std::function<model::FXRate()> call;
        WalletError::ErrorDetails details;
    };
    const std::vector<Row> rows = {
        {"pair without a rate",
         [&] {
             return service->createQuote({"EUR", "JPY"});
         },
         {.httpStatus = 400,
          .code = "BAD_REQUEST",
          .message = "The quote request is not valid.",
          .fieldErrors = {{{"targetCurrency", "has no rate from EUR"}}}}},
        // Codes go out as given; the service does not know them in lower case.
        {"lower-case codes",
         [&] {
             return service->createQuote({"eur", "usd"});
         },
         {.httpStatus = 400,
          .code = "BAD_REQUEST",
          .message = "The quote request is not valid.",
          .fieldErrors = {{{"sourceCurrency", "is not a quoted currency"},
                           {"targetCurrency", "is not a quoted currency"}}}}},
        // The identifier stays one segment: the route sees all of it.
        {"unknown quote",
         [&] { return service->getQuote("a/b?c"); },
         {.httpStatus = 404, .code = "NOT_FOUND", .message = "No quote a/b?c."}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto error = failureOf(row.call);
        auto details = row.details;
        details.errorID = lastRecordedCorrelationId();
        EXPECT_THAT(error, testing::IsWalletError(WalletError::dataError(details)));
    }
}

TEST_F(CurrencyExchangeTest, WithoutAccessTokenTheQuoteIsRefusedAsExpired) {
    const auto anonymous = CurrencyExchangeRepository::make(configuredManager());
    const auto error = failureOf([&] { return anonymous->createQuote({"EUR", "USD"}); });
    EXPECT_THAT(error,
                testing::IsWalletError(WalletError::tokenExpired(lastRecordedCorrelationId())));
}

TEST_F(CurrencyExchangeTest, ServiceMadeBeforeTheSetUpWorksOnceItHasRun) {
    const auto early = makeManager();
    const auto earlyService = CurrencyExchangeRepository::make(early);
    const auto error = failureOf([&] { return earlyService->getQuote("fxq-1"); });
    EXPECT_THAT(error, testing::IsWalletError(WalletError::notConfigured()));
    EXPECT_TRUE(sandbox.requests().empty());

    early->setEnvironment(environment("user-token-2"));
    EXPECT_EQ(earlyService->createQuote({"GBP", "EUR"}).sourceCurrency(), "GBP");
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
