#include "CorvendWallet/services/money/DepositRepository.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/networking/SharedCoders.hpp"
#include "CorvendWallet/services/cards/CardPaymentInstrument.hpp"
#include "tests/support/PaymentFlowTestNetwork.hpp"

namespace corvend {
namespace {

using model::DepositAction;
using model::HttpRequestMethod;
using model::PaymentStatus;
using model::ReturnLink;
using Rel = model::ReturnLink::ReturnLinkType;
using RedirectRel = model::RedirectLink::RedirectLinkType;

const std::string kRequired =
    R"("amount":1500,"currencyCode":"EUR","paymentOption":"CARD","id":"dep-1",)"
    R"("customerId":"c-1","accountId":"a-1","creationTime":"2024-03-05T14:07:09Z",)"
    R"("status":"PREVIEW")";
const std::string kBase = "https://wallet.example/api/digitalwallets/v1/profile/deposits";

model::CustomerDeposit mapped(const std::string& extra) {
    return DepositRepository::customerDeposit(
        sharedResponseDecoder().decode<DepositServiceEndpoint::CustomerDepositResponse>(
            "{" + kRequired + extra + "}"));
}

class DepositRepositoryTest : public ::testing::Test {
  protected:
    std::shared_ptr<testing::PaymentFlowTestNetwork> network =
        std::make_shared<testing::PaymentFlowTestNetwork>("{" + kRequired + "}");
    std::shared_ptr<testing::PaymentFlowTestFingerprints> fingerprints =
        std::make_shared<testing::PaymentFlowTestFingerprints>("fp-7");
    std::shared_ptr<DepositRepository> repository = DepositRepository::make(network, fingerprints);
};

TEST(DepositMappingTest, UnknownOrMissingTextsReadAsUnknownAndListsFollowTheirRules) {
    const auto bare = mapped("");
    EXPECT_EQ(bare.action(), DepositAction::unknown);
    EXPECT_TRUE(bare.nextStatus().empty());
    EXPECT_TRUE(bare.fees().empty());
    EXPECT_EQ(bare.returnUrls(), std::nullopt);
    EXPECT_EQ(bare.paymentProperties(), std::nullopt);
    EXPECT_EQ(bare.redirectUrl(), std::nullopt);
    // Empty lists equal missing ones where the record has no optional list.
    EXPECT_EQ(mapped(R"(,"fees":[],"nextStatus":[])"), bare);

    const auto odd = mapped(
        R"(,"status":"pending","action":"none","paymentOption":"card","returnUrls":[],)"
        R"("nextStatus":["PENDING","Processing","CANCELLED"],"paymentProperties":[{"value":"v"}],)"
        R"("paymentInstrumentReference":{"id":"pi-1","instrumentType":"PLASTIC"})");
    EXPECT_EQ(odd.status(), PaymentStatus::unknown);
    EXPECT_EQ(odd.action(), DepositAction::unknown);
    EXPECT_EQ(odd.paymentOption(), model::PaymentOptionType::unknown);
    EXPECT_EQ(odd.returnUrls(), std::vector<ReturnLink>{});
    EXPECT_EQ(odd.nextStatus(), (std::vector{PaymentStatus::pending, PaymentStatus::unknown,
                                             PaymentStatus::cancelled}));
    EXPECT_EQ(odd.paymentProperties()->front().key, model::PaymentPropertyKey::unknown);
    EXPECT_EQ(odd.paymentInstrumentReference()->instrumentType, model::InstrumentType::unknown);
    EXPECT_EQ(mapped(R"(,"action":"NONE")").action(), DepositAction::none);
}

TEST(DepositMappingTest, LinksAlwaysCarryARelationAndAMethod) {
    const auto deposit =
        mapped(R"(,"returnUrls":[{"href":"x"},{"rel":"ON_CANCELLED","method":"POST"},)"
               R"({"rel":"DEFAULT","href":"d","method":"get"}],)"
               R"("redirectUrl":{"rel":"REDIRECT_PAYMENT","href":"https://3ds","method":"GET"},)"
               R"("action":"REDIRECT")");
    EXPECT_EQ(*deposit.returnUrls(),
              (std::vector<ReturnLink>{{Rel::unknown, "x", HttpRequestMethod::unknown},
                                       {Rel::onCancelled, std::nullopt, HttpRequestMethod::post},
                                       {Rel::defaultRel, "d", HttpRequestMethod::unknown}}));
    EXPECT_EQ(deposit.redirectUrl()->rel(), RedirectRel::redirectPayment);
    EXPECT_EQ(deposit.redirectUrl()->href(), "https://3ds");
    EXPECT_EQ(deposit.redirectUrl()->method(), HttpRequestMethod::get);
    EXPECT_EQ(deposit.action(), DepositAction::redirect);

    const auto empty = mapped(R"(,"redirectUrl":{})");
    EXPECT_EQ(empty.redirectUrl()->rel(), RedirectRel::unknown);
    EXPECT_EQ(empty.redirectUrl()->href(), std::nullopt);
    EXPECT_EQ(empty.redirectUrl()->method(), HttpRequestMethod::unknown);
}

TEST(DepositMappingTest, EqualityComparesEveryFieldAndListOrder) {
    const std::string fees =
        R"(,"fees":[{"amount":1,"paymentReason":"FX_FEE"},{"amount":2,"currency":"EUR"}])";
    const std::string swapped =
        R"(,"fees":[{"amount":2,"currency":"EUR"},{"amount":1,"paymentReason":"FX_FEE"}])";
    EXPECT_EQ(mapped(fees), mapped(fees));
    EXPECT_NE(mapped(fees), mapped(swapped));
    EXPECT_NE(mapped(""), mapped(R"(,"creationTime":"2024-03-05T14:07:09.001Z")"));
    EXPECT_EQ(mapped(""), mapped(R"(,"creationTime":"2024-03-05T15:07:09+01:00")"));
    EXPECT_EQ(ReturnLink(std::nullopt, std::nullopt, std::nullopt),
              ReturnLink(std::nullopt, std::nullopt, std::nullopt));
    EXPECT_NE(ReturnLink(Rel::onFailed, "h", std::nullopt),
              ReturnLink(Rel::onFailed, "h", HttpRequestMethod::unknown));
}

TEST_F(DepositRepositoryTest, ListsAlwaysCarryPagingAndSendQueriesOnlyForPresentFields) {
    network->setBody("{}");
    const auto empty = repository->getAll(std::nullopt);
    EXPECT_TRUE(empty.deposits().empty());
    EXPECT_EQ(empty.meta(), model::PagingResultMeta{});
    repository->getAll(model::GetDepositsParameters(std::nullopt, std::nullopt, 20, std::nullopt));

    network->setBody(R"({"deposits":[{)" + kRequired + R"(}],"meta":{"limit":5,"offset":0}})");
    const auto page = repository->getAll(model::GetDepositsParameters(5, "m-1", 0, "s-1"));
    ASSERT_EQ(page.deposits().size(), 1u);
    EXPECT_EQ(page.deposits().front().id(), "dep-1");
    EXPECT_EQ(page.meta(), (model::PagingResultMeta{std::nullopt, 5, 0, std::nullopt}));

    const auto sent = network->sent();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0].url, kBase);
    EXPECT_EQ(sent[1].url, kBase + "?offset=20");
    EXPECT_EQ(sent[2].url, kBase + "?limit=5&merchantRefNum=m-1&offset=0&slipID=s-1");
    EXPECT_EQ(fingerprints->calls, 0);
}

TEST_F(DepositRepositoryTest, PreviewSendsTheFingerprintAndSendsNothingWhenItFails) {
    const model::DepositRequest request(1500, "EUR", model::PaymentOptionType::card, std::nullopt,
                                        "ref-1", std::nullopt, std::nullopt);
    EXPECT_EQ(repository->preview(request).id(), "dep-1");
    const auto sent = network->only();
    EXPECT_EQ(sent.method, "POST");
    EXPECT_EQ(sent.url, kBase);
    EXPECT_EQ(sent.contentType, "application/json");
    EXPECT_NE(sent.body->find(R"("deviceInfo":{"deviceSessionId":"fp-7","appType":"MOBILE_APP"})"),
              std::string::npos);

    fingerprints->fail = true;
    EXPECT_THROW(repository->preview(request), std::runtime_error);
    EXPECT_EQ(network->sent().size(), 1u);
}

TEST_F(DepositRepositoryTest, CreateAndConfirmChangeTheStatusWithoutTheFingerprint) {
    const auto card = std::make_shared<const model::CardPaymentInstrument>(
        std::nullopt, std::nullopt, std::nullopt, "4111111111111111", "Ada Lovelace", std::nullopt,
        model::CardExpiryDate{2030, 1}, std::nullopt);
    repository->create(model::DepositCreate("dep-1", std::nullopt, nullptr));
    repository->create(model::DepositCreate("dep-1", std::vector<model::PaymentProperty>{}, card));
    repository->confirm(model::DepositConfirm(
        "a/b", std::vector<model::PaymentProperty>{{model::PaymentPropertyKey::cardCVV, "123"}}));
    repository->get("");

    const auto sent = network->sent();
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[0].url, kBase + "/dep-1/status");
    EXPECT_EQ(sent[0].body, R"({"status":"PENDING"})");
    EXPECT_EQ(sent[1].body->rfind(R"({"status":"PENDING","paymentProperties":[],)"
                                  R"("paymentInstrument":{"instrumentType":"CARD",)",
                                  0),
              0u)
        << *sent[1].body;
    EXPECT_NE(sent[1].body->find(R"("pan":"4111111111111111")"), std::string::npos);
    EXPECT_EQ(sent[2].url, kBase + "/a%2Fb/status");
    EXPECT_EQ(sent[2].body, R"({"status":"PROCESSING","paymentProperties":[)"
                            R"({"key":"CARD_CVV","value":"123"}]})");
    EXPECT_EQ(sent[3].method, "GET");
    EXPECT_EQ(sent[3].url, kBase + "/");
    EXPECT_EQ(fingerprints->calls, 0);
}

TEST_F(DepositRepositoryTest, OptionsKeepTheReplyOrder) {
    network->setBody(R"([{"paymentOption":"CARD","paymentOptionSettings":)"
                     R"({"paymentOption":"CARD","cardSchemes":["VISA"]}},)"
                     R"({"instrumentTypes":[]},{"paymentOption":"BANK_TRANSFER",)"
                     R"("paymentOptionSettings":{"paymentOption":"BANK_TRANSFER"}}])");
    const auto options = repository->getOptions();
    ASSERT_EQ(options.size(), 3u);
    EXPECT_EQ(options[0].paymentOption, model::PaymentOptionType::card);
    EXPECT_NE(options[0].paymentOptionSettings, nullptr);
    EXPECT_EQ(options[1].paymentOption, model::PaymentOptionType::unknown);
    EXPECT_EQ(options[1].instrumentTypes, std::vector<model::InstrumentType>{});
    EXPECT_EQ(options[2].paymentOptionSettings, nullptr);
    EXPECT_EQ(network->only().url, kBase + "/options");
}

}  // namespace
}  // namespace corvend
