#include "CorvendWallet/services/money/DepositServiceEndpoint.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/networking/SharedCoders.hpp"
#include "CorvendWallet/services/money/GetDepositsParameters.hpp"
#include "platform/json/DecodingError.hpp"

namespace corvend::DepositServiceEndpoint {
namespace {

using model::HttpRequestMethod;
using model::PaymentProperty;
using model::PaymentPropertyKey;
using model::ReturnLink;
using Rel = model::ReturnLink::ReturnLinkType;
using Kind = platform::DecodingError::Kind;

const std::string kRequired =
    R"("amount":1500,"currencyCode":"EUR","paymentOption":"CARD","id":"dep-1",)"
    R"("customerId":"c-1","accountId":"a-1","creationTime":"2024-03-05T14:07:09Z",)"
    R"("status":"PREVIEW")";

CustomerDepositResponse decode(const std::string& extra) {
    return sharedResponseDecoder().decode<CustomerDepositResponse>("{" + kRequired + extra + "}");
}

std::string encoded(const auto& body) {
    const auto data = sharedRequestEncoder().encode(body);
    return std::string(data.view());
}

model::DepositRequest request(std::optional<std::vector<ReturnLink>> links,
                              std::optional<std::vector<PaymentProperty>> properties) {
    return model::DepositRequest(1500, "EUR", model::PaymentOptionType::card, std::nullopt,
                                 std::nullopt, std::move(links), std::move(properties));
}

TEST(DepositServiceEndpointTest, OptionalMembersMayBeMissingOrNullAndTextsStayText) {
    const auto bare = decode("");
    EXPECT_EQ(bare.returnUrls, std::nullopt);
    EXPECT_EQ(bare.nextStatus, std::nullopt);
    EXPECT_EQ(bare.action, std::nullopt);
    EXPECT_EQ(bare.fees, std::nullopt);

    const auto nulls =
        decode(R"(,"nextStatus":null,"redirectUrl":null,"slipId":null,"expirationTime":null,)"
               R"("paymentInstrumentReference":null)");
    EXPECT_EQ(nulls.nextStatus, std::nullopt);
    EXPECT_EQ(nulls.redirectUrl, std::nullopt);
    EXPECT_EQ(nulls.slipId, std::nullopt);

    // The reply spells the identifiers "…Id"; "slipID" is only the list query's key.
    const auto spelled =
        decode(R"(,"slipId":"s-1","slipID":"wrong","fundingTransactionId":"f-1",)"
               R"("status":"pending","action":"none","redirectUrl":{},)"
               R"("paymentInstrumentReference":{"id":"pi-1","instrumentType":"PLASTIC"})");
    EXPECT_EQ(spelled.slipId, "s-1");
    EXPECT_EQ(spelled.fundingTransactionId, "f-1");
    EXPECT_EQ(spelled.status, "pending");
    EXPECT_EQ(spelled.action, "none");
    EXPECT_EQ(spelled.redirectUrl, Link{});
    EXPECT_EQ(spelled.paymentInstrumentReference->instrumentType, "PLASTIC");
}

TEST(DepositServiceEndpointTest, AFaultInARequiredOrTypedMemberFailsTheWholeReply) {
    struct Row {
        std::string text;
        Kind kind;
    };
    const std::string noCustomer =
        R"({"amount":1,"currencyCode":"EUR","paymentOption":"CARD","id":"d","accountId":"a",)"
        R"("creationTime":"2024-03-05T14:07:09Z","status":"PREVIEW"})";
    const std::vector<Row> rows = {
        {noCustomer, Kind::keyNotFound},
        {"{" + kRequired + R"(,"creationTime":null})", Kind::valueNotFound},
        {"{" + kRequired + R"(,"creationTime":"2024-03-05"})", Kind::dataCorrupted},
        {"{" + kRequired + R"(,"amount":15.5})", Kind::dataCorrupted},
        {"{" + kRequired + R"(,"amount":"1500"})", Kind::typeMismatch},
        {"{" + kRequired + R"(,"nextStatus":"PENDING"})", Kind::typeMismatch},
        {"{" + kRequired + R"(,"fees":[{"currency":"EUR"}]})", Kind::keyNotFound},
        {"{" + kRequired + R"(,"paymentInstrumentReference":{"id":"pi-1"}})", Kind::keyNotFound},
        {"{" + kRequired + R"(,"returnUrls":[{"href":7}]})", Kind::typeMismatch},
        {"[]", Kind::typeMismatch},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        try {
            sharedResponseDecoder().decode<CustomerDepositResponse>(row.text);
            ADD_FAILURE() << "decoded";
        } catch (const platform::DecodingError& error) {
            EXPECT_EQ(error.kind(), row.kind) << error.what();
        }
    }
}

TEST(DepositServiceEndpointTest, ListRepliesMayLackDepositsAndPaging) {
    const auto empty = sharedResponseDecoder().decode<DepositListResponse>("{}");
    EXPECT_EQ(empty.deposits, std::nullopt);
    EXPECT_EQ(empty.meta, std::nullopt);
    const auto page = sharedResponseDecoder().decode<DepositListResponse>(
        R"({"deposits":[{)" + kRequired + R"(}],"meta":{"numberOfRecords":1,"page":null}})");
    ASSERT_EQ(page.deposits->size(), 1u);
    EXPECT_EQ(page.meta->numberOfRecords, 1);
    EXPECT_EQ(page.meta->page, std::nullopt);
}

TEST(DepositServiceEndpointTest, PreviewBodyWritesPresentValuesInOrderAndListsAsGiven) {
    struct Row {
        const char* name;
        model::DepositRequest request;
        std::string body;
    };
    const std::string head = R"({"amount":1500,"currencyCode":"EUR","paymentOption":"CARD",)";
    const std::string device = R"("deviceInfo":{"deviceSessionId":"fp-9","appType":"MOBILE_APP"})";
    const std::vector<Row> rows = {
        {"nothing optional", request(std::nullopt, std::nullopt), head + device + "}"},
        {"empty lists", request(std::vector<ReturnLink>{}, std::vector<PaymentProperty>{}),
         head + device + R"(,"returnUrls":[],"paymentProperties":[]})"},
        {"links and properties",
         request(
             std::vector<ReturnLink>{{std::nullopt, "https://host/done", std::nullopt},
                                     {Rel::defaultRel, "https://host/3ds", HttpRequestMethod::get},
                                     {Rel::unknown, std::nullopt, HttpRequestMethod::unknown}},
             std::vector<PaymentProperty>{{PaymentPropertyKey::cardCVV, "123"},
                                          {std::nullopt, "x"},
                                          {PaymentPropertyKey::unknown, std::nullopt}}),
         head + device +
             R"(,"returnUrls":[{"href":"https://host/done"},)"
             R"({"rel":"DEFAULT","href":"https://host/3ds","method":"GET"},)"
             R"({"rel":"UNKNOWN","method":"UNKNOWN"}],)"
             R"("paymentProperties":[{"key":"CARD_CVV","value":"123"},{"value":"x"},)"
             R"({"key":"UNKNOWN"}]})"},
        {"reference and reference number",
         model::DepositRequest(
             -5, "", model::PaymentOptionType::offlineBankTransfer,
             model::PaymentInstrumentReference{"pi-1", model::InstrumentType::sepaBankAccount}, "",
             std::nullopt, std::nullopt),
         R"({"amount":-5,"currencyCode":"","paymentOption":"OFFLINE_BANK_TRANSFER",)"
         R"("paymentInstrumentReference":{"id":"pi-1","instrumentType":"SEPA_BANK_ACCOUNT"},)"
         R"("merchantRefNum":"",)" +
             device + "}"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(encoded(toDepositNetworkRequest(row.request, "fp-9")), row.body);
    }
}

TEST(DepositServiceEndpointTest, StatusBodyWritesTheInstrumentOnlyWhenPresent) {
    DepositStatusUpdateRequest body;
    body.status = "PENDING";
    EXPECT_EQ(encoded(body), R"({"status":"PENDING"})");
    body.paymentProperties.emplace();
    body.paymentInstrument = PaymentInstrumentModel{.instrumentType = "CARD", .pan = "4111"};
    EXPECT_EQ(encoded(body), R"({"status":"PENDING","paymentProperties":[],)"
                             R"("paymentInstrument":{"instrumentType":"CARD","pan":"4111"}})");
}

TEST(DepositServiceEndpointTest, CallsUseTheDepositCollection) {
    const platform::URL base = *platform::URL::make("https://wallet.example/api/");
    const auto url = [&](const EndpointBase& endpoint) {
        return endpoint.urlRequest(base).url().absoluteString();
    };
    EXPECT_EQ(url(Flow::paymentOptions()),
              "https://wallet.example/api/digitalwallets/v1/profile/deposits/options");
    EXPECT_EQ(&Flow::paymentOptions(), &Flow::paymentOptions());
    EXPECT_EQ(url(Flow::list<model::GetDepositsParameters>(std::nullopt)),
              "https://wallet.example/api/digitalwallets/v1/profile/deposits");
    EXPECT_EQ(url(Flow::list(std::optional(model::GetDepositsParameters(0, "m&=#+", -1, "S 1")))),
              "https://wallet.example/api/digitalwallets/v1/profile/deposits"
              "?limit=0&merchantRefNum=m%26%3D%23%2B&offset=-1&slipID=S%201");
    EXPECT_EQ(url(Flow::updateStatus("dep/1", DepositStatusUpdateRequest{})),
              "https://wallet.example/api/digitalwallets/v1/profile/deposits/dep%2F1/status");
}

}  // namespace
}  // namespace corvend::DepositServiceEndpoint
