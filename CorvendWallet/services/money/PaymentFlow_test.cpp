#include "CorvendWallet/services/money/PaymentFlow.hpp"

#include <gtest/gtest.h>

#include <boost/describe.hpp>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/core/foundation/WalletError.hpp"
#include "CorvendWallet/core/models/PagingResultMetaModel.hpp"
#include "CorvendWallet/services/money/PaymentFlowListParameters.hpp"
#include "CorvendWallet/services/money/PaymentFlowMapping.hpp"
#include "tests/support/FakeNetwork.hpp"
#include "tests/support/WalletErrorMatchers.hpp"

namespace corvend {
namespace {

using model::PaymentProperty;
using model::PaymentPropertyKey;
using model::WalletError;
using testing::FakeNetwork;
using testing::ThrowsWalletError;

struct ThingResponse {
    std::string id;
};
BOOST_DESCRIBE_STRUCT(ThingResponse, (), (id))

struct ThingPage {
    std::vector<ThingResponse> things;
};
BOOST_DESCRIBE_STRUCT(ThingPage, (), (things))

struct ThingFlow {
    static constexpr std::string_view kCollectionPath = "digitalwallets/v1/profile/things";
    using Record = ThingResponse;
    using Page = ThingPage;
};
using Flow = PaymentFlow<ThingFlow>;

struct PreviewBody {
    std::int64_t amount = 0;
};
BOOST_DESCRIBE_STRUCT(PreviewBody, (), (amount))

// A domain body with one key more than the shared one.
struct WideStatusBody : PaymentStatusUpdateRequest {
    std::optional<std::string> extra{};
};
BOOST_DESCRIBE_STRUCT(WideStatusBody, (PaymentStatusUpdateRequest), (extra))

const std::string kBase =
    FakeNetwork::kBaseURL.absoluteString() + std::string(ThingFlow::kCollectionPath);

class PaymentFlowTest : public ::testing::Test {
  protected:
    std::shared_ptr<FakeNetwork> network = std::make_shared<FakeNetwork>(R"({"id":"t-1"})");
};

TEST(PaymentFlowListParametersTest, QueryKeepsOrderAndSendsEveryPresentValue) {
    struct Row {
        model::PaymentFlowListParameters parameters;
        std::vector<std::pair<std::string, std::string>> items;
    };
    const std::vector<Row> rows = {
        {{std::nullopt, std::nullopt, std::nullopt, std::nullopt}, {}},
        {{20, std::nullopt, 0, std::nullopt}, {{"limit", "20"}, {"offset", "0"}}},
        {{-5, "", INT64_MIN, ""},
         {{"limit", "-5"},
          {"merchantRefNum", ""},
          {"offset", "-9223372036854775808"},
          {"slipID", ""}}},
    };
    for (const auto& row : rows) {
        std::vector<std::pair<std::string, std::string>> items;
        for (const auto& item : row.parameters.queryParams()) {
            items.emplace_back(item.key, item.value);
        }
        EXPECT_EQ(items, row.items);
    }
}

TEST(PaymentFlowStatusTest, RawStringsRoundTripExactly) {
    EXPECT_EQ(toWireValue(PaymentFlowStatus::pending), "PENDING");
    EXPECT_EQ(toWireValue(PaymentFlowStatus::processing), "PROCESSING");
    EXPECT_EQ(paymentFlowStatus("PENDING"), PaymentFlowStatus::pending);
    EXPECT_EQ(paymentFlowStatus("PROCESSING"), PaymentFlowStatus::processing);
    for (const std::string_view raw : {"pending", "COMPLETED", "", "PENDING "}) {
        EXPECT_EQ(paymentFlowStatus(raw), std::nullopt) << raw;
    }
}

TEST_F(PaymentFlowTest, StatusChangeBodiesDifferOnlyInStatusAndKeepPropertiesAsGiven) {
    using Properties = std::optional<std::vector<PaymentProperty>>;
    struct Row {
        PaymentFlowStatus status;
        Properties properties;
        std::string body;
    };
    const std::vector<Row> rows = {
        {PaymentFlowStatus::pending, std::nullopt, R"({"status":"PENDING"})"},
        {PaymentFlowStatus::processing, Properties(std::in_place),
         R"({"status":"PROCESSING","paymentProperties":[]})"},
        {PaymentFlowStatus::pending,
         Properties({{PaymentPropertyKey::cardCVV, "123"}, {std::nullopt, "v"}}),
         R"({"status":"PENDING","paymentProperties":[{"key":"CARD_CVV","value":"123"},)"
         R"({"value":"v"}]})"},
    };
    for (const auto& row : rows) {
        network->request(Flow::updateStatus({"d 1", row.properties}, row.status));
        const auto sent = network->sent().back();
        EXPECT_EQ(sent.method, "POST");
        EXPECT_EQ(sent.url, kBase + "/d%201/status");
        EXPECT_EQ(sent.contentType, "application/json");
        EXPECT_EQ(sent.body, row.body);
    }
    WideStatusBody wide;
    wide.status = "PENDING";
    wide.extra = "x";
    network->request(Flow::updateStatus("d1", wide));
    EXPECT_EQ(network->sent().back().body, R"({"status":"PENDING","extra":"x"})");
}

TEST_F(PaymentFlowTest, PreviewPostsTheBodyToTheCollection) {
    EXPECT_EQ(network->request(Flow::preview(PreviewBody{7})).id, "t-1");
    const auto sent = network->only();
    EXPECT_EQ(sent.method, "POST");
    EXPECT_EQ(sent.url, kBase);
    EXPECT_EQ(sent.body, R"({"amount":7})");
}

TEST_F(PaymentFlowTest, ListSendsQueryOnlyForPresentFields) {
    network->setBody(R"({"things":[]})");
    using Parameters = std::optional<model::PaymentFlowListParameters>;
    network->request(Flow::list(Parameters()));
    network->request(Flow::list(
        Parameters(std::in_place, std::nullopt, std::nullopt, std::nullopt, std::nullopt)));
    network->request(Flow::list(Parameters(std::in_place, 0, "a&b=c", std::nullopt, "+#")));
    const auto sent = network->sent();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0].url, kBase);
    EXPECT_EQ(sent[1].url, kBase);
    EXPECT_EQ(sent[2].url, kBase + "?limit=0&merchantRefNum=a%26b%3Dc&slipID=%2B%23");
    EXPECT_EQ(sent[2].method, "GET");
    EXPECT_EQ(sent[2].body, std::nullopt);
}

TEST_F(PaymentFlowTest, RecordPathEscapesIdentifiersAndRefusesDotSegments) {
    network->request(Flow::record(""));
    network->request(Flow::record("a/b?c"));
    network->setBody("[]");
    network->request(Flow::paymentOptions());
    const auto sent = network->sent();
    EXPECT_EQ(sent.at(0).url, kBase + "/");
    EXPECT_EQ(sent.at(1).url, kBase + "/a%2Fb%3Fc");
    EXPECT_EQ(sent.at(2).url, kBase + "/options");
    for (const std::string id : {".", ".."}) {
        EXPECT_THAT([&] { Flow::record(id); },
                    ThrowsWalletError(WalletError::internalError("I0001")));
        EXPECT_THAT(
            [&] {
                Flow::updateStatus({id, std::nullopt}, PaymentFlowStatus::pending);
            },
            ThrowsWalletError(WalletError::internalError("I0001")));
    }
}

TEST(PaymentFlowMappingTest, PagingIsAlwaysPresentAndReferencesReadUnknownTypes) {
    EXPECT_EQ(PaymentFlowMapping::pagingMeta(std::nullopt), model::PagingResultMeta{});
    EXPECT_EQ(PaymentFlowMapping::pagingMeta(PagingResultMetaModel{3, 10, 0, std::nullopt}),
              (model::PagingResultMeta{3, 10, 0, std::nullopt}));
    EXPECT_EQ(PaymentFlowMapping::instrumentReference({"i1", "card"}).instrumentType,
              model::InstrumentType::unknown);
}

}  // namespace
}  // namespace corvend
