#include "CorvendWallet/services/money/CurrencyExchangeService.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <future>
#include <optional>
#include <stdexcept>
#include <string>

#include "CorvendWallet/services/money/CurrencyExchangeRepository.hpp"
#include "platform/async/MainQueue.hpp"

namespace corvend {
namespace {

using platform::MainQueue;
using namespace std::chrono_literals;

// Generous: only reached when the behaviour under test is broken.
constexpr auto kDeadline = 10s;

model::FXRate sampleRate(std::string id) {
    const auto created = platform::Date::fromUnixSeconds(1678786013);
    return CurrencyExchangeRepository::fxRate({.id = std::move(id),
                                               .sourceCurrency = "EUR",
                                               .targetCurrency = "USD",
                                               .creationTime = created,
                                               .expirationTime = created,
                                               .fxRate = *platform::Decimal::fromString("1.0850"),
                                               .sender = std::nullopt});
}

// A host's own service: both operations do what `outcome` does.
class ScriptedService final : public CurrencyExchangeService {
  public:
    using CurrencyExchangeService::createQuote;
    using CurrencyExchangeService::getQuote;

    explicit ScriptedService(std::function<model::FXRate()> outcome)
        : outcome_(std::move(outcome)) {}

    model::FXRate getQuote(const std::string&) override { return outcome_(); }
    model::FXRate createQuote(const model::FXRateRequest&) override { return outcome_(); }

  private:
    std::function<model::FXRate()> outcome_;
};

TEST(CurrencyExchangeServiceTest, TwinKeepsTheServiceAliveUntilItsOperationEnds) {
    auto& main = MainQueue::shared();
    main.drain();  // the test thread becomes the main thread
    std::promise<void> release;
    auto released = release.get_future().share();
    auto service = std::make_shared<ScriptedService>([released] {
        released.wait();
        return sampleRate("fxq-6");
    });
    const std::weak_ptr<ScriptedService> watch = service;
    std::optional<Result<model::FXRate>> delivered;
    service->getQuote("fxq-6",
                      [&](Result<model::FXRate> result) { delivered = std::move(result); });

    service.reset();  // the host lets go while the operation waits
    EXPECT_FALSE(watch.expired());
    release.set_value();
    ASSERT_TRUE(main.runUntil([&] { return delivered.has_value(); }, kDeadline));
    ASSERT_TRUE(delivered->has_value()) << delivered->error().description();
    EXPECT_EQ((*delivered)->id(), "fxq-6");
}

TEST(CurrencyExchangeServiceTest, TwinOfAServiceNotOwnedBySharedPtrThrowsAtOnce) {
    ScriptedService service([] { return sampleRate("x"); });
    EXPECT_THROW(service.getQuote("x", [](Result<model::FXRate>) {}), std::bad_weak_ptr);
}

}  // namespace
}  // namespace corvend
