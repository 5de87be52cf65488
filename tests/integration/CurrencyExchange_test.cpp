// Currency-exchange quotes end to end: the kit's repository over a real network manager against
// the sandbox's quote routes.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "CorvendWallet/foundation/WalletError.hpp"
#include "CorvendWallet/services/money/CurrencyExchangeRepository.hpp"
#include "sandbox/FxRoutes.hpp"
#include "tests/integration/SandboxTest.hpp"
#include "tests/support/WalletErrorMatchers.hpp"

namespace corvend::integration {
namespace {

using model::WalletError;

constexpr std::string_view kQuotesPath = "digitalwallets/v1/profile/fxrate";

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

        const auto read = service->getQuote(*created.id());
        EXPECT_EQ(read.expirationTime(), created.expirationTime());
        EXPECT_EQ(read.fxRate().toString(), seed.rate);
    }
}

TEST_F(CurrencyExchangeTest, ServiceErrorDocumentsReachTheCallerAsDataErrors) {
    const auto error = failureOf([&] { return service->createQuote({"EUR", "JPY"}); });
    EXPECT_THAT(error, testing::IsWalletError(WalletError::dataError(
                           {.httpStatus = 400,
                            .code = "BAD_REQUEST",
                            .message = "The quote request is not valid.",
                            .fieldErrors = {{{"targetCurrency", "has no rate from EUR"}}},
                            .errorID = lastRecordedCorrelationId()})));
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
    EXPECT_EQ(result->targetCurrency(), "JPY");
    EXPECT_EQ(*silentCalls, 0);
}

}  // namespace
}  // namespace corvend::integration
