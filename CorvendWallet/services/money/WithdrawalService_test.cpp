#include "CorvendWallet/services/money/WithdrawalService.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <optional>
#include <stdexcept>
#include <thread>

#include "CorvendWallet/core/Wallet.hpp"
#include "CorvendWallet/services/money/PaymentFlowTestNetwork.hpp"
#include "CorvendWallet/services/money/WithdrawalRepository.hpp"
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

// A manager that is never asked to send anything.
class IdleNetwork final : public Networkable {
  protected:
    void perform(const EndpointBase&, const ReplyHandler&) override {
        throw std::logic_error("nothing is sent in these tests");
    }
};

class FakeCore final : public Core {
  public:
    NetworkManagers managers{std::make_shared<IdleNetwork>(), std::make_shared<IdleNetwork>(),
                             std::make_shared<IdleNetwork>()};
    std::shared_ptr<DeviceFingerprintProvider> fingerprints =
        std::make_shared<testing::PaymentFlowTestFingerprints>();

    model::ConfigurationResult configure(const model::Configuration&) override {
        throw std::logic_error("not used");
    }
    std::shared_ptr<WalletOperationHandle> configure(model::Configuration,
                                                     ConfigureCompletion) override {
        throw std::logic_error("not used");
    }
    void authenticate(const model::AuthenticationConfiguration&) override {}
    const NetworkManagers& networkManagers() const override { return managers; }
    std::shared_ptr<DeviceFingerprintProvider> deviceFingerprintProvider() const override {
        return fingerprints;
    }
    std::shared_ptr<EnvironmentPropertiesProvider> environmentProperties() const override {
        return nullptr;
    }
};

TEST(WithdrawalServiceTest, WalletMakesOneRepositoryOnTheCoresManagerAndFingerprints) {
    const auto core = std::make_shared<FakeCore>();
    const auto wallet = Wallet::make(core);

    const auto first = wallet->withdrawalService();
    EXPECT_EQ(wallet->withdrawalService(), first);
    const auto repository = std::dynamic_pointer_cast<WithdrawalRepository>(first);
    ASSERT_NE(repository, nullptr);
    EXPECT_EQ(repository->networkManager(), core->managers.userAuthenticated);
    EXPECT_EQ(repository->fingerprintProvider(), core->fingerprints);

    const auto own = std::make_shared<RecordingService>();
    wallet->setWithdrawalService(own);
    EXPECT_EQ(wallet->withdrawalService(), own);
    wallet->setWithdrawalService(nullptr);
    EXPECT_NE(std::dynamic_pointer_cast<WithdrawalRepository>(wallet->withdrawalService()),
              nullptr);
}

}  // namespace
}  // namespace corvend
