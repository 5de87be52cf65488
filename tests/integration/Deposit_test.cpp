// Deposits end to end: the kit's repository over a real network manager against the sandbox's
// deposit routes, through preview, create, confirm and the 3-D Secure page.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CorvendWallet/core/foundation/WalletError.hpp"
#include "CorvendWallet/services/money/DepositRepository.hpp"
#include "tests/support/PaymentFlowTestNetwork.hpp"
#include "platform/http/URLSession.hpp"
#include "tests/integration/SandboxTest.hpp"

namespace corvend::integration {
namespace {

using model::DepositAction;
using model::HttpRequestMethod;
using model::PaymentStatus;
using model::WalletError;
using Rel = model::ReturnLink::ReturnLinkType;

constexpr std::string_view kDepositsPath = "digitalwallets/v1/profile/deposits";

model::DepositRequest cardDeposit(std::optional<std::vector<model::ReturnLink>> links) {
    return model::DepositRequest(
        2'500, "EUR", model::PaymentOptionType::card,
        model::PaymentInstrumentReference{"pi-card-1", model::InstrumentType::card}, "order-77",
        std::move(links), std::nullopt);
}

// The details of a data error; a failed expectation and empty details for anything else.
WalletError::ErrorDetails detailsOf(const Error& error) {
    const auto wallet = error.as<WalletError>();
    const auto* data = wallet ? wallet->as<WalletError::DataError>() : nullptr;
    if (data == nullptr) {
        ADD_FAILURE() << "not a data error: " << error.description();
        return {};
    }
    return data->details;
}

class DepositTest : public SandboxTest {
  protected:
    const std::shared_ptr<NetworkManager> manager = configuredManager("user-token-1");
    const std::shared_ptr<testing::PaymentFlowTestFingerprints> fingerprints =
        std::make_shared<testing::PaymentFlowTestFingerprints>("fp-sandbox");
    const std::shared_ptr<DepositRepository> service =
        DepositRepository::make(manager, fingerprints);

    // The status and Location header of a plain GET of `url`, as a browser would first see it.
    std::pair<int, std::optional<std::string>> visit(const std::string& url) {
        const auto session = platform::URLSession::make();
        const auto [body, response] =
            session->data(platform::URLRequest(*platform::URL::make(url)));
        const auto& http = dynamic_cast<const platform::HTTPURLResponse&>(*response);
        return {http.statusCode(), http.value("Location")};
    }
};

TEST_F(DepositTest, BankDepositGoesFromPreviewToCompletedAndIsListed) {
    const auto preview = service->preview(
        model::DepositRequest(10'000, "EUR", model::PaymentOptionType::bankTransfer, std::nullopt,
                              "bank-1", std::nullopt, std::vector<model::PaymentProperty>{}));
    EXPECT_EQ(preview.status(), PaymentStatus::preview);
    EXPECT_EQ(preview.action(), DepositAction::none);
    EXPECT_EQ(preview.paymentProperties(), std::vector<model::PaymentProperty>{});
    EXPECT_NE(sandbox.requests().back().body.find(R"("deviceSessionId":"fp-sandbox")"),
              std::string::npos);

    const auto created = service->create(model::DepositCreate(preview.id(), std::nullopt, nullptr));
    EXPECT_EQ(created.status(), PaymentStatus::pending);
    const auto confirmed = service->confirm(model::DepositConfirm(preview.id(), std::nullopt));
    EXPECT_EQ(confirmed.status(), PaymentStatus::processing);
    EXPECT_EQ(service->get(preview.id()).status(), PaymentStatus::completed);

    const auto page = service->getAll(model::GetDepositsParameters(10, "bank-1", 0, std::nullopt));
    ASSERT_EQ(page.deposits().size(), 1u);
    EXPECT_EQ(page.deposits().front().id(), preview.id());
    EXPECT_EQ(page.meta()->numberOfRecords, 1);
    EXPECT_EQ(sandbox.requests().back().target,
              "/" + std::string(kDepositsPath) + "?limit=10&merchantRefNum=bank-1&offset=0");
    EXPECT_FALSE(service->getOptions().empty());
    EXPECT_EQ(fingerprints->calls, 1);
}

TEST_F(DepositTest, CardDepositRedirectsThroughTheThreeDSecurePageToItsReturnAddress) {
    const auto preview = service->preview(cardDeposit(std::vector<model::ReturnLink>{
        {Rel::onFailed, "https://host.example/failed", HttpRequestMethod::get},
        {Rel::defaultRel, "https://host.example/3ds-done", HttpRequestMethod::get}}));
    EXPECT_EQ(preview.returnUrls()->at(1).rel(), Rel::defaultRel);
    service->create(model::DepositCreate(
        preview.id(),
        std::vector<model::PaymentProperty>{{model::PaymentPropertyKey::cardCVV, "123"}}, nullptr));
    const auto confirmed = service->confirm(model::DepositConfirm(preview.id(), std::nullopt));
    ASSERT_EQ(confirmed.action(), DepositAction::redirect);
    ASSERT_TRUE(confirmed.redirectUrl() && confirmed.redirectUrl()->href());
    EXPECT_EQ(confirmed.redirectUrl()->method(), HttpRequestMethod::get);

    const auto [status, location] = visit(*confirmed.redirectUrl()->href());
    EXPECT_EQ(status, 302);
    EXPECT_EQ(location, "https://host.example/3ds-done");
    EXPECT_EQ(service->get(preview.id()).status(), PaymentStatus::completed);
}

TEST_F(DepositTest, ServiceErrorDocumentsReachTheCallerAsDataErrors) {
    const auto unknown = failureOf([&] { return service->get("nope/1"); });
    EXPECT_EQ(sandbox.requests().back().target, "/" + std::string(kDepositsPath) + "/nope%2F1");
    EXPECT_EQ(detailsOf(unknown).httpStatus, 404);

    // Confirming a deposit still in preview skips a step the service insists on.
    const auto preview = service->preview(cardDeposit(std::nullopt));
    const auto skipped =
        failureOf([&] { return service->confirm(model::DepositConfirm(preview.id(), {})); });
    const auto details = detailsOf(skipped);
    EXPECT_EQ(details.httpStatus, 400);
    ASSERT_TRUE(details.fieldErrors && details.fieldErrors->size() == 1u);
    EXPECT_EQ(details.fieldErrors->front().field, "status");

    const auto invalid = failureOf([&] {
        return service->preview(model::DepositRequest(0, "EURO", model::PaymentOptionType::unknown,
                                                      std::nullopt, std::nullopt, std::nullopt,
                                                      std::nullopt));
    });
    EXPECT_EQ(detailsOf(invalid)
                  .fieldErrors.value_or(std::vector<WalletError::FieldErrorDetails>{})
                  .size(),
              3u);
}

TEST_F(DepositTest, UndecodableDepositFailsWithI0005AndIsReported) {
    installEventReporter(*manager);
    sandbox.scriptNextReply("GET", std::string(kDepositsPath) + "/dep-seed-1",
                            {.body = R"({"amount":1,"currencyCode":"EUR","paymentOption":"CARD",)"
                                     R"("id":"dep-seed-1","accountId":"a","status":"PENDING",)"
                                     R"("creationTime":"2024-03-05T14:07:09Z"})"});

    expectOneDecodingErrorEvent(failureOf([&] { return service->get("dep-seed-1"); }));
}

TEST_F(DepositTest, CancelledListEndsWithCancellationErrorWhileTheReplyIsHeld) {
    expectCancelledWhileHeld("GET", std::string(kDepositsPath),
                             [service = service] { service->getAll(std::nullopt); });
}

TEST_F(DepositTest, CompletionFormDeliversOnTheMainQueue) {
    std::shared_ptr<DepositService> asService = service;
    const auto delivery = deliveredOnMain<model::CustomerDeposit>(
        [&](auto completion) { asService->get("dep-seed-1", std::move(completion)); });
    ASSERT_NE(delivery, nullptr);
    ASSERT_TRUE(delivery->result->has_value()) << delivery->result->error().description();
    EXPECT_EQ((*delivery->result)->status(), PaymentStatus::completed);
}

}  // namespace
}  // namespace corvend::integration
