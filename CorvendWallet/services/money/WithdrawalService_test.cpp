#include "CorvendWallet/services/money/WithdrawalService.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <optional>
#include <stdexcept>
#include <thread>

#include "platform/async/MainQueue.hpp"

namespace corvend {
namespace {

using platform::MainQueue;
using namespace std::chrono_literals;

// Generous: only reached when the behaviour under test is broken.
constexpr auto kDeadline = 10s;

// A host's own service: every operation throws; getAll reports what it was given.
class RecordingService final : public WithdrawalService {
  public:
    using WithdrawalService::getAll;

    std::vector<model::PaymentOptionDetails> getOptions() override { throw unused(); }
    model::Withdrawal create(const model::WithdrawalCreate&) override { throw unused(); }
    model::Withdrawal preview(const model::WithdrawalRequest&) override { throw unused(); }
    model::Withdrawal confirm(const model::WithdrawalConfirm&) override { throw unused(); }
    model::Withdrawal get(const std::string&) override { throw unused(); }
    model::WithdrawalList getAll(
        const std::optional<model::GetWithdrawalsParameters>& parameters) override {
        throw std::runtime_error(parameters ? "offset " + std::to_string(*parameters->offset())
                                            : "no parameters");
    }

  private:
    static std::logic_error unused() { return std::logic_error("not used"); }
};

TEST(WithdrawalServiceTest, TwinFromAnotherThreadDeliversTheErrorOnTheMainQueue) {
    auto& main = MainQueue::shared();
    main.drain();  // the test thread becomes the main thread
    const auto service = std::make_shared<RecordingService>();
    struct Delivery {
        bool onMain = false;
        std::optional<Result<model::WithdrawalList>> result;
    };
    auto delivery = std::make_shared<Delivery>();
    std::thread([&] {
        std::optional<model::GetWithdrawalsParameters> parameters(std::in_place, std::nullopt,
                                                                  std::nullopt, 20, std::nullopt);
        EXPECT_NE(service->getAll(parameters,
                                  [delivery](Result<model::WithdrawalList> result) {
                                      delivery->onMain = MainQueue::isMainThread();
                                      delivery->result = std::move(result);
                                  }),
                  nullptr);
        parameters.reset();  // the twin holds its own copy
    }).join();
    ASSERT_TRUE(main.runUntil([&] { return delivery->result.has_value(); }, kDeadline));
    EXPECT_TRUE(delivery->onMain);
    ASSERT_FALSE(delivery->result->has_value());
    EXPECT_EQ(delivery->result->error().description(), "offset 20");
}

}  // namespace
}  // namespace corvend
