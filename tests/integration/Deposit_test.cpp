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
#include "platform/http/URLSession.hpp"
#include "tests/integration/SandboxTest.hpp"
#include "tests/support/FakeDeviceFingerprintProvider.hpp"
#include "tests/support/WalletErrorMatchers.hpp"

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

class DepositTest : public SandboxTest {
  protected:
    const std::shared_ptr<NetworkManager> manager = configuredManager("user-token-1");
    const std::shared_ptr<testing::FakeDeviceFingerprintProvider> fingerprints =
        std::make_shared<testing::FakeDeviceFingerprintProvider>("fp-sandbox");
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

    const auto created = service->create(model::DepositCreate(preview.id(), std::nullopt, nullptr));
    EXPECT_EQ(created.status(), PaymentStatus::pending);
    const auto confirmed = service->confirm(model::DepositConfirm(preview.id(), std::nullopt));
    EXPECT_EQ(confirmed.status(), PaymentStatus::processing);
    EXPECT_EQ(service->get(preview.id()).status(), PaymentStatus::completed);

    const auto page = service->getAll(model::GetDepositsParameters(10, "bank-1", 0, std::nullopt));
    ASSERT_EQ(page.deposits().size(), 1u);
    EXPECT_EQ(page.deposits().front().id(), preview.id());
    EXPECT_EQ(page.meta()->numberOfRecords, 1);
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
    EXPECT_THAT(unknown, testing::IsWalletError(
                             WalletError::dataError({.httpStatus = 404,
                                                     .code = "NOT_FOUND",
                                                     .message = "No deposit nope/1.",
                                                     .errorID = lastRecordedCorrelationId()})));

    // Confirming a deposit still in preview skips a step the service insists on.
    const auto preview = service->preview(cardDeposit(std::nullopt));
    const auto skipped =
        failureOf([&] { return service->confirm(model::DepositConfirm(preview.id(), {})); });
    EXPECT_THAT(skipped,
                testing::IsWalletError(WalletError::dataError(
                    {.httpStatus = 400,
                     .code = "BAD_REQUEST",
                     .message = "The status change is not valid.",
                     .fieldErrors = {{{"status", "cannot move from PREVIEW to PROCESSING"}}},
                     .errorID = lastRecordedCorrelationId()})));
}

}  // namespace
}  // namespace corvend::integration
