// Saved instruments and their verification end to end: the kit's instrument repository over a
// real network manager against the sandbox, with a recording opener in place of the browser.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CorvendWallet/services/cards/CardPaymentInstrument.hpp"
#include "CorvendWallet/services/cards/PaymentInstrumentRepository.hpp"
#include "platform/http/URLSession.hpp"
#include "tests/integration/SandboxTest.hpp"
#include "tests/support/RecordingURLOpener.hpp"
#include "tests/support/WalletErrorMatchers.hpp"

namespace corvend::integration {
namespace {

using model::InstrumentType;
using model::WalletError;

class PaymentInstrumentTest : public SandboxTest {
  protected:
    const std::shared_ptr<NetworkManager> manager = configuredManager("user-token-1");
    const std::shared_ptr<testing::RecordingURLOpener> opener =
        std::make_shared<testing::RecordingURLOpener>();
    const std::shared_ptr<PaymentInstrumentRepository> service =
        PaymentInstrumentRepository::make(manager, opener);
};

TEST_F(PaymentInstrumentTest, ListsReadsAndDeletesWhatTheKitKnows) {
    const auto all = service->getAll({});
    ASSERT_EQ(all.size(), 4u);  // the card without expiry and the unknown kind are left out
    const auto* card = all[0]->as<model::CardPaymentInstrument>();
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->cardScheme(), model::CardScheme::visa);
    EXPECT_EQ(service->getAll({std::nullopt, model::PaymentOptionType::bankTransfer}).size(), 3u);
    EXPECT_EQ(service->getAll({InstrumentType::usBankAccount}).size(), 1u);

    EXPECT_TRUE(service->get({"pi-sandbox-card", InstrumentType::card})->equals(*all[0]));
    EXPECT_THAT(
        [&] {
            service->get({"pi-sandbox-old-card", InstrumentType::card});
        },
        testing::ThrowsWalletError(WalletError::internalError("I0007")));
    EXPECT_EQ(service->delete_({"pi-sandbox-uk", InstrumentType::ukBankAccount})->id(),
              "pi-sandbox-uk");
    EXPECT_EQ(service->getAll({}).size(), 3u);
    const auto gone = failureOf([&] {
        service->get({"pi-sandbox-uk", InstrumentType::ukBankAccount});
    });
    EXPECT_EQ(gone.as<WalletError>()->kind(), WalletError::Kind::dataError);
}

TEST_F(PaymentInstrumentTest, VerificationGoesThroughItsPageBackToTheReturnAddress) {
    const auto started = service->startVerification(
        {"https://host.example/verified?from=kit", InstrumentType::card});
    EXPECT_EQ(started.sessionStatus(), model::InstrumentVerificationStatus::active);
    EXPECT_EQ(started.statusReason(), model::InstrumentVerificationFailStatusReason::unknown);
    inTask([&] { service->openExternalVerificationFlow(started); });
    ASSERT_EQ(opener->opened.size(), 1u);

    // The page as a browser would see it: a redirect to the return address with the session.
    const auto [body, response] =
        platform::URLSession::make()->data(platform::URLRequest(opener->opened[0]));
    const auto location =
        dynamic_cast<const platform::HTTPURLResponse&>(*response).value("Location");
    ASSERT_TRUE(location);
    const auto completed = service->completeExternalVerificationFlow(*location);
    EXPECT_EQ(completed.id(), started.id());
    EXPECT_EQ(completed.sessionStatus(), model::InstrumentVerificationStatus::completed);
    ASSERT_TRUE(completed.instrument());
    EXPECT_EQ(service->get({completed.instrument()->id, InstrumentType::card})->instrumentType(),
              InstrumentType::card);

    const auto page =
        service->getAllVerifications({1, 0, model::InstrumentVerificationStatus::completed});
    ASSERT_EQ(page.instrumentVerificationList()->size(), 1u);
    EXPECT_EQ(page.instrumentVerificationList()->front(), completed);
    EXPECT_EQ(service->getVerification(started.id()), completed);
}

TEST_F(PaymentInstrumentTest, RefusedAndUndecodableRepliesReachTheCallerAsTheirErrors) {
    installEventReporter(*manager);
    sandbox.scriptNextReply("GET", "digitalwallets/v1/profile/instruments",
                            {.body = R"([{"id":"pi-1","customerId":"c"}])"});
    expectOneDecodingErrorEvent(failureOf([&] { service->getAll({}); }));

    const auto refused = failureOf([&] {
        service->startVerification({"https://h/r", InstrumentType::unknown});
    });
    EXPECT_THAT(refused, testing::IsWalletError(WalletError::dataError(
                             {.httpStatus = 400,
                              .code = "BAD_REQUEST",
                              .message = "The verification request is not valid.",
                              .fieldErrors = {{{"instrumentType", "is not an instrument type"}}},
                              .errorID = lastRecordedCorrelationId()})));
}

TEST_F(PaymentInstrumentTest, CompletionFormsDeliverOnTheMainQueueAndStaySilentWhenCancelled) {
    const auto silentCalls = expectSilentWhenCancelledWhileHeld(
        "GET", "digitalwallets/v1/profile/instrument-verifications/held",
        [&](std::function<void()> completion) {
            return service->getVerification(
                "held", [completion](Result<model::InstrumentVerification>) { completion(); });
        });
    const auto started = service->startVerification({"https://h/r", InstrumentType::card});
    const auto opened = deliveredOnMain<void>([&](auto completion) {
        service->openExternalVerificationFlow(started, std::move(completion));
    });
    ASSERT_NE(opened, nullptr);
    EXPECT_TRUE(opened->result->has_value());
    EXPECT_EQ(opener->opened.size(), 1u);
    EXPECT_EQ(*silentCalls, 0);
}

}  // namespace
}  // namespace corvend::integration
