#include "CorvendWallet/services/money/PaymentFlow.hpp"

#include <gtest/gtest.h>

#include <boost/describe.hpp>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/foundation/WalletError.hpp"
#include "CorvendWallet/services/money/PaymentFlowListParameters.hpp"
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

TEST(PaymentFlowStatusTest, OnlyTheExactRawStringsRead) {
    EXPECT_EQ(paymentFlowStatus("PENDING"), PaymentFlowStatus::pending);
    EXPECT_EQ(paymentFlowStatus("PROCESSING"), PaymentFlowStatus::processing);
    for (const std::string_view raw : {"pending", "COMPLETED", "", "PENDING "}) {
        EXPECT_EQ(paymentFlowStatus(raw), std::nullopt) << raw;
    }
}

// Each domain's create and confirm bodies: PaymentFlowRepository_test.
TEST_F(PaymentFlowTest, StatusChangePostsTheStatusAndThePropertiesInOrder) {
    network->request(Flow::updateStatus(
        {"d 1",
         std::vector<PaymentProperty>{{PaymentPropertyKey::cardCVV, "123"}, {std::nullopt, "v"}}},
        PaymentFlowStatus::pending));
    const auto sent = network->only();
    EXPECT_EQ(sent.method, "POST");
    EXPECT_EQ(sent.url, kBase + "/d%201/status");
    EXPECT_EQ(sent.contentType, "application/json");
    EXPECT_EQ(sent.body,
              R"({"status":"PENDING","paymentProperties":[{"key":"CARD_CVV","value":"123"},)"
              R"({"value":"v"}]})");
}

TEST_F(PaymentFlowTest, RecordPathRefusesEmptyIdentifiersAndDotSegments) {
    for (const std::string id : {"", ".", ".."}) {
        EXPECT_THAT([&] { Flow::record(id); },
                    ThrowsWalletError(WalletError::internalError("I0001")));
        EXPECT_THAT(
            [&] {
                Flow::updateStatus({id, std::nullopt}, PaymentFlowStatus::pending);
            },
            ThrowsWalletError(WalletError::internalError("I0001")));
    }
}

}  // namespace
}  // namespace corvend
