// Deposits end to end: the kit's repository over a real network manager against the sandbox's
// deposit routes, through preview, create, confirm and the 3-D Secure page.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/services/money/DepositRepository.hpp"
#include "platform/http/URLError.hpp"
#include "platform/http/URLSession.hpp"
#include "platform/web/WebPage.hpp"
#include "tests/integration/SandboxTest.hpp"
#include "tests/support/FakeDeviceFingerprintProvider.hpp"

namespace corvend::integration {
namespace {

using model::DepositAction;
using model::HttpRequestMethod;
using model::PaymentStatus;
using Rel = model::ReturnLink::ReturnLinkType;

class DepositTest : public SandboxTest {
  protected:
    DepositTest() = default;
    explicit DepositTest(sandbox::SandboxOptions options) : SandboxTest(std::move(options)) {}

    const std::shared_ptr<testing::FakeDeviceFingerprintProvider> fingerprints =
        std::make_shared<testing::FakeDeviceFingerprintProvider>("fp-sandbox");
    const std::shared_ptr<DepositRepository> service =
        DepositRepository::make(configuredManager("user-token-1"), fingerprints);
};

TEST_F(DepositTest, BankDepositGoesFromPreviewToCompletedAndIsListed) {
    const auto preview = service->preview(
        model::DepositRequest(10'000, "EUR", model::PaymentOptionType::bankTransfer, std::nullopt,
                              "bank-1", std::nullopt, std::vector<model::PaymentProperty>{}));
    EXPECT_EQ(preview.status(), PaymentStatus::preview);
    EXPECT_EQ(preview.action(), DepositAction::none);
    EXPECT_EQ(preview.paymentProperties(), std::vector<model::PaymentProperty>{});

    EXPECT_EQ(service->create(model::DepositCreate(preview.id(), std::nullopt, nullptr)).status(),
              PaymentStatus::pending);
    EXPECT_EQ(service->confirm(model::DepositConfirm(preview.id(), std::nullopt)).status(),
              PaymentStatus::processing);
    EXPECT_EQ(service->get(preview.id()).status(), PaymentStatus::completed);

    const auto page = service->getAll(model::GetDepositsParameters(10, "bank-1", 0, std::nullopt));
    ASSERT_EQ(page.deposits().size(), 1u);
    EXPECT_EQ(page.deposits().front().id(), preview.id());
    EXPECT_EQ(page.meta()->numberOfRecords, 1);
    EXPECT_FALSE(service->getOptions().empty());
    EXPECT_EQ(fingerprints->calls, 1);
}

TEST_F(DepositTest, CardDepositRedirectsThroughTheThreeDSecurePageToItsReturnAddress) {
    const auto preview = service->preview(model::DepositRequest(
        2'500, "EUR", model::PaymentOptionType::card,
        model::PaymentInstrumentReference{"pi-card-1", model::InstrumentType::card}, "order-77",
        std::vector<model::ReturnLink>{
            {Rel::onFailed, "https://host.example/failed", HttpRequestMethod::get},
            {Rel::defaultRel, "https://host.example/3ds-done", HttpRequestMethod::get}},
        std::nullopt));
    EXPECT_EQ(preview.returnUrls()->at(1).rel(), Rel::defaultRel);
    service->create(model::DepositCreate(
        preview.id(),
        std::vector<model::PaymentProperty>{{model::PaymentPropertyKey::cardCVV, "123"}}, nullptr));
    const auto confirmed = service->confirm(model::DepositConfirm(preview.id(), std::nullopt));
    ASSERT_EQ(confirmed.action(), DepositAction::redirect);
    ASSERT_TRUE(confirmed.redirectUrl() && confirmed.redirectUrl()->href());
    EXPECT_EQ(confirmed.redirectUrl()->method(), HttpRequestMethod::get);

    // The page waits for the customer; its "Approve" link sends the browser on to the host's
    // return address.
    const auto session = platform::URLSession::make();
    const auto pageURL = *platform::URL::make(*confirmed.redirectUrl()->href());
    const auto [pageBody, pageResponse] = session->data(platform::URLRequest(pageURL));
    const auto& pageHTTP = dynamic_cast<const platform::HTTPURLResponse&>(*pageResponse);
    ASSERT_EQ(pageHTTP.statusCode(), 200);
    const auto page = platform::web::WebPage::parse(pageURL, 200, pageBody.view());
    EXPECT_EQ(service->get(preview.id()).status(), PaymentStatus::processing);
    const auto approve =
        std::ranges::find(page.links, std::string("Approve"), &platform::web::WebPage::Link::text);
    ASSERT_NE(approve, page.links.end());
    const auto [body, response] = session->data(platform::URLRequest(approve->url));
    const auto& http = dynamic_cast<const platform::HTTPURLResponse&>(*response);
    EXPECT_EQ(http.statusCode(), 302);
    EXPECT_EQ(http.value("Location"), "https://host.example/3ds-done");
    EXPECT_EQ(service->get(preview.id()).status(), PaymentStatus::completed);
}

// A deposit read over https: the sandbox's certificate is trusted through SSL_CERT_FILE; one
// signed by an authority nothing trusts, or made for another host name, ends the call with the
// server-certificate error before any request is sent.
struct HttpsCase {
    std::string certificate;
    bool trusted;
};

class HttpsDepositTest : public DepositTest, public ::testing::WithParamInterface<HttpsCase> {
  protected:
    HttpsDepositTest() : DepositTest(httpsOptions(GetParam().certificate)) {}
};

TEST_P(HttpsDepositTest, AReadGoesOverTLSOnlyToAServerItTrusts) {
    ASSERT_TRUE(sandbox.baseURL().starts_with("https://"));
    const auto read = [&] {
        return service->getAll(model::GetDepositsParameters(10, std::nullopt, 0, std::nullopt));
    };
    if (GetParam().trusted) {
        const auto stored = sandbox.store().list("deposits");
        const auto page = read();
        ASSERT_EQ(page.deposits().size(), stored.size());
        EXPECT_EQ(page.deposits().front().id(), stored.front().at("id").as_string());
        EXPECT_EQ(sandbox.requests().size(), 1u);
        return;
    }
    const auto error = failureOf(read).as<platform::URLError>();
    ASSERT_TRUE(error) << failureOf(read).description();
    EXPECT_EQ(error->code(), platform::URLError::Code::serverCertificateUntrusted)
        << error->description();
    EXPECT_TRUE(sandbox.requests().empty());
}

INSTANTIATE_TEST_SUITE_P(Certificates, HttpsDepositTest,
                         ::testing::Values(HttpsCase{"server", true},
                                           HttpsCase{"untrusted-server", false},
                                           HttpsCase{"other-host", false}),
                         [](const auto& info) {
                             std::string name = info.param.certificate;
                             std::erase(name, '-');
                             return name;
                         });

}  // namespace
}  // namespace corvend::integration
