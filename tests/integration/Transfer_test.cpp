// Transfers end to end: the kit's repository over a real network manager against the sandbox's
// transfer routes.

#include <gtest/gtest.h>

#include <future>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "CorvendWallet/core/ErrorEventReporter.hpp"
#include "CorvendWallet/core/SimpleDeviceFingerprintProvider.hpp"
#include "CorvendWallet/core/WalletError.hpp"
#include "CorvendWallet/core/WalletEventTrackingManager.hpp"
#include "CorvendWallet/services/money/TransferRepository.hpp"
#include "platform/async/MainQueue.hpp"
#include "platform/async/Task.hpp"
#include "tests/integration/SandboxTest.hpp"

namespace corvend::integration {
namespace {

using model::PaymentStatus;
using model::WalletError;
using Recipient = model::CustomerTransfer::CustomerTransferRecipient;

constexpr std::string_view kTransfersPath = "digitalwallets/v1/profile/transfers";

class FixedFingerprint : public DeviceFingerprintProvider {
  public:
    std::string fingerprint() override { return "fp-integration"; }
};

model::CustomerTransferRequest request(std::int64_t amount) {
    return {amount,    "EUR",        Recipient::withEmail("ana@example.com"),
            "order-7", std::nullopt, {model::TransferDetails::Reason::peerTransfer, "rent"}};
}

class TransferTest : public SandboxTest {
  protected:
    const std::shared_ptr<NetworkManager> manager = configuredManager("user-token-1");
    const std::shared_ptr<TransferRepository> service =
        TransferRepository::make(manager, std::make_shared<FixedFingerprint>());
};

TEST_F(TransferTest, PreviewCreateConfirmAndReadBack) {
    const auto previewed = service->preview(request(10'000));
    EXPECT_EQ(previewed.status(), PaymentStatus::preview);
    EXPECT_EQ(previewed.amount(), 10'000);
    EXPECT_EQ(previewed.recipient(), Recipient::withEmail("ana@example.com"));
    EXPECT_EQ(previewed.transferDetails().reason, model::TransferDetails::Reason::peerTransfer);
    ASSERT_EQ(previewed.fees().size(), 1u);
    const auto sentPreview = sandbox.requests().back();
    EXPECT_NE(sentPreview.body.find(R"("deviceInfo":{"deviceSessionId":"fp-integration")"),
              std::string::npos);

    EXPECT_EQ(service->create({previewed.id(), std::nullopt}).status(), PaymentStatus::pending);
    const auto confirmed = service->confirm({previewed.id(), std::nullopt});
    EXPECT_EQ(confirmed.status(), PaymentStatus::completed);
    EXPECT_EQ(service->get(previewed.id()), confirmed);

    const auto page = service->getAll(model::GetTransferParameters(1, "order-7", 0, std::nullopt));
    ASSERT_EQ(page.transfers().size(), 1u);
    EXPECT_EQ(page.transfers()[0], confirmed);
    EXPECT_EQ(page.meta()->numberOfRecords, 1);
    EXPECT_EQ(sandbox.requests().back().target,
              "/" + std::string(kTransfersPath) + "?limit=1&merchantRefNum=order-7&offset=0");
    EXPECT_GE(service->getAll(std::nullopt).transfers().size(), 3u);
}

TEST_F(TransferTest, ServiceErrorsArriveAsDataErrors) {
    const auto missing = failureOf([&] { return service->get("no such"); });
    EXPECT_EQ(sandbox.requests().back().target, "/" + std::string(kTransfersPath) + "/no%20such");
    const auto details = missing.as<WalletError>();
    ASSERT_TRUE(details.has_value()) << missing.description();
    EXPECT_EQ(*details, WalletError::dataError({.httpStatus = 404,
                                                .code = "NOT_FOUND",
                                                .message = "No transfer no such.",
                                                .errorID = lastRecordedCorrelationId()}));
    // Confirming before creating is a step the sandbox refuses.
    const auto previewed = service->preview(request(500));
    const auto refused = failureOf([&] {
        return service->confirm({previewed.id(), std::nullopt});
    });
    EXPECT_TRUE(refused.as<WalletError>().has_value()) << refused.description();
}

TEST_F(TransferTest, UndecodableReplyFailsWithI0005AndIsReported) {
    const auto tracking = std::make_shared<WalletEventTrackingManager>(
        configuredManager(), properties,
        [](WalletEventTrackingManager::Operation post) { post(); });
    manager->setErrorReporter(makeErrorEventReporter(tracking));
    sandbox.scriptNextReply("GET", std::string(kTransfersPath) + "/tr-seed-1",
                            {.status = 200, .body = R"({"id":"tr-seed-1","amount":1})"});
    const auto error = failureOf([&] { return service->get("tr-seed-1"); });
    EXPECT_EQ(error.as<WalletError>(),
              WalletError::internalError("I0005", sandbox.requests().front().correlationId))
        << error.description();
    const auto events = sandbox.events();
    ASSERT_EQ(events.size(), 1u);
    const auto& event = events.front().as_object();
    EXPECT_EQ(event.at("eventName").as_string(), "DECODING_ERROR");
    EXPECT_EQ(event.at("eventId").as_string(), *sandbox.requests().front().correlationId);
}

TEST_F(TransferTest, CancelWhileHeldEndsTheCallAndTheCompletionFormDeliversOnMain) {
    sandbox.scriptNextReply("GET", std::string(kTransfersPath), {.hold = true});
    auto outcome = std::make_shared<std::promise<Error>>();
    auto ended = outcome->get_future();
    auto task = platform::Task<void>::detached([service = service, outcome] {
        auto result = captureResult([&] { return service->getAll(std::nullopt); });
        outcome->set_value(result ? Error(nullptr) : result.error());
    });
    ASSERT_TRUE(sandbox.waitForRequests(1, kDeadline));
    task.cancel();
    ASSERT_EQ(ended.wait_for(kDeadline), std::future_status::ready);
    EXPECT_TRUE(ended.get().isCancellation());

    auto& mainQueue = platform::MainQueue::shared();
    mainQueue.drain();
    struct Delivery {
        bool onMain = false;
        std::optional<Result<model::CustomerTransfer>> result;
    };
    auto delivery = std::make_shared<Delivery>();
    service->get("tr-seed-2", [delivery](Result<model::CustomerTransfer> result) {
        delivery->onMain = platform::MainQueue::isMainThread();
        delivery->result = std::move(result);
    });
    ASSERT_TRUE(mainQueue.runUntil([&] { return delivery->result.has_value(); }, kDeadline));
    EXPECT_TRUE(delivery->onMain);
    ASSERT_TRUE(delivery->result->has_value()) << delivery->result->error().description();
    EXPECT_EQ((*delivery->result)->slipID(), "S-2");
}

}  // namespace
}  // namespace corvend::integration
