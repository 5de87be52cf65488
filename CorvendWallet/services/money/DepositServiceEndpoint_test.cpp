#include "CorvendWallet/services/money/DepositServiceEndpoint.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/services/money/DepositAction.hpp"
#include "CorvendWallet/services/money/RedirectLink.hpp"
#include "tests/support/FakeNetwork.hpp"
#include "tests/support/PaymentReplies.hpp"
#include "tests/support/WireCoding.hpp"

namespace corvend::DepositServiceEndpoint {
namespace {

using model::HttpRequestMethod;
using model::PaymentProperty;
using model::PaymentPropertyKey;
using model::ReturnLink;
using testing::decodedReply;
using testing::encodedJSON;
using Kind = platform::DecodingError::Kind;
using Rel = model::ReturnLink::ReturnLinkType;

const std::string& kRequired = testing::kDepositRequiredMembers;

CustomerDepositResponse decode(const std::string& extra) {
    return decodedReply<CustomerDepositResponse>("{" + kRequired + extra + "}");
}

model::DepositRequest request(std::optional<std::vector<ReturnLink>> links,
                              std::optional<std::vector<PaymentProperty>> properties) {
    return model::DepositRequest(1500, "EUR", model::PaymentOptionType::card, std::nullopt,
                                 std::nullopt, std::move(links), std::move(properties));
}

TEST(DepositServiceEndpointTest, DepositKeysMayBeMissingOrNullButNotMisshapen) {
    const auto bare = decode("");
    EXPECT_EQ(bare.returnUrls, std::nullopt);
    EXPECT_EQ(bare.nextStatus, std::nullopt);
    EXPECT_EQ(bare.redirectUrl, std::nullopt);
    EXPECT_EQ(bare.action, std::nullopt);
    EXPECT_EQ(decode(R"(,"nextStatus":null,"redirectUrl":null,"action":null)"), bare);

    EXPECT_EQ(testing::decodingFailure<CustomerDepositResponse>("{" + kRequired +
                                                                R"(,"nextStatus":"PENDING"})"),
              Kind::typeMismatch);
    EXPECT_EQ(testing::decodingFailure<CustomerDepositResponse>("{" + kRequired +
                                                                R"(,"returnUrls":[{"href":7}]})"),
              Kind::typeMismatch);
}

TEST(DepositServiceEndpointTest, ListRepliesMayLackDepositsAndPaging) {
    const auto empty = decodedReply<DepositListResponse>("{}");
    EXPECT_EQ(empty.deposits, std::nullopt);
    EXPECT_EQ(empty.meta, std::nullopt);
}

TEST(DepositServiceEndpointTest, PreviewBodyWritesTheSharedHeadThenLinksAndProperties) {
    const std::string head = R"({"amount":1500,"currencyCode":"EUR","paymentOption":"CARD",)";
    const std::string device =
        R"("deviceInfo":{"threatMetrixSessionId":"fp-9","appType":"MOBILE_APP"})";
    EXPECT_EQ(encodedJSON(toDepositNetworkRequest(
                  request(std::vector<ReturnLink>{}, std::vector<PaymentProperty>{}), "fp-9")),
              head + device + R"(,"returnUrls":[],"paymentProperties":[]})");
    EXPECT_EQ(encodedJSON(toDepositNetworkRequest(
                  request(
                      std::vector<ReturnLink>{
                          {std::nullopt, "https://host/done", std::nullopt},
                          {Rel::defaultRel, "https://host/3ds", HttpRequestMethod::get},
                          {Rel::unknown, std::nullopt, HttpRequestMethod::unknown}},
                      std::vector<PaymentProperty>{{PaymentPropertyKey::cardCVV, "123"}}),
                  "fp-9")),
              head + device +
                  R"(,"returnUrls":[{"href":"https://host/done"},)"
                  R"({"rel":"DEFAULT","href":"https://host/3ds","method":"GET"},)"
                  R"({"rel":"UNKNOWN","method":"UNKNOWN"}],)"
                  R"("paymentProperties":[{"key":"CARD_CVV","value":"123"}]})");
    EXPECT_EQ(encodedJSON(toDepositNetworkRequest(
                  model::DepositRequest(
                      -5, "", model::PaymentOptionType::unknown,
                      model::PaymentInstrumentReference{"pi-1", model::InstrumentType::unknown}, "",
                      std::nullopt, std::nullopt),
                  "fp-9")),
              R"({"amount":-5,"currencyCode":"","paymentOption":"UNKNOWN",)"
              R"("paymentInstrumentReference":{"id":"pi-1","instrumentType":"UNKNOWN"},)"
              R"("merchantRefNum":"",)" +
                  device + "}");
}

TEST(DepositServiceEndpointTest, EachCallHasItsBuilder) {
    using testing::FakeNetwork;
    const auto root = FakeNetwork::kBaseURL.absoluteString() + "digitalwallets/v1/profile/deposits";
    EXPECT_EQ(FakeNetwork::requestLine(paymentOptions()), "GET " + root + "/options ");
    EXPECT_EQ(&paymentOptions(), &paymentOptions());
    EXPECT_EQ(FakeNetwork::requestLine(deposits(std::nullopt)), "GET " + root + " ");
    EXPECT_EQ(FakeNetwork::requestLine(
                  deposits(model::GetDepositsParameters(5, std::nullopt, 20, "S 1"))),
              "GET " + root + "?limit=5&offset=20&slipID=S%201 ");
    EXPECT_EQ(FakeNetwork::requestLine(deposit("d/1")), "GET " + root + "/d%2F1 ");
    EXPECT_EQ(FakeNetwork::requestLine(previewDeposit(request(std::nullopt, std::nullopt), "fp")),
              "POST " + root +
                  R"( {"amount":1500,"currencyCode":"EUR","paymentOption":"CARD",)"
                  R"("deviceInfo":{"threatMetrixSessionId":"fp","appType":"MOBILE_APP"}})");
    EXPECT_EQ(FakeNetwork::requestLine(updateDepositStatus(
                  "d-1", DepositStatusUpdateRequest::Status::pending,
                  std::vector<PaymentPropertyModel>{{"CARD_CVV", "123"}}, std::nullopt)),
              "POST " + root +
                  R"(/d-1/status {"status":"PENDING","paymentProperties":)"
                  R"([{"key":"CARD_CVV","value":"123"}]})");
    EXPECT_EQ(
        FakeNetwork::requestLine(updateDepositStatus("d-1",
                                                     DepositStatusUpdateRequest::Status::processing,
                                                     std::nullopt, PaymentInstrumentModel{})),
        "POST " + root +
            R"(/d-1/status {"status":"PROCESSING","paymentInstrument":{"instrumentType":""}})");
}

TEST(DepositServiceEndpointTest, LinkAndActionVocabulariesUseTheServicesStrings) {
    testing::expectWireVocabulary<Rel>({"DEFAULT", "ON_COMPLETED", "ON_FAILED", "ON_CANCELLED"},
                                       "UNKNOWN");
    testing::expectWireVocabulary<model::RedirectLink::RedirectLinkType>({"REDIRECT_PAYMENT"},
                                                                         "UNKNOWN");
    testing::expectWireVocabulary<HttpRequestMethod>({"GET", "POST"}, "UNKNOWN");
    testing::expectWireVocabulary<model::DepositAction>({"NONE", "REDIRECT"}, "UNKNOWN");
}

}  // namespace
}  // namespace corvend::DepositServiceEndpoint
