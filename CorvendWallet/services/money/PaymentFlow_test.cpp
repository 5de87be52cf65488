#include "CorvendWallet/services/money/PaymentFlow.hpp"

#include <gtest/gtest.h>

#include <boost/describe.hpp>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/core/foundation/WalletError.hpp"
#include "CorvendWallet/core/models/PagingResultMetaModel.hpp"
#include "CorvendWallet/services/money/PaymentFlowClient.hpp"
#include "CorvendWallet/services/money/PaymentFlowListParameters.hpp"
#include "CorvendWallet/services/money/PaymentFlowMapping.hpp"
#include "tests/support/PaymentFlowTestNetwork.hpp"

namespace corvend {
namespace {

using model::PaymentProperty;
using model::PaymentPropertyKey;
using testing::PaymentFlowTestFingerprints;
using testing::PaymentFlowTestNetwork;

struct ThingResponse {
    std::string id;
    friend bool operator==(const ThingResponse&, const ThingResponse&) = default;
};
BOOST_DESCRIBE_STRUCT(ThingResponse, (), (id))

struct ThingPage {
    std::vector<ThingResponse> things;
    std::optional<PagingResultMetaModel> meta{};
};
BOOST_DESCRIBE_STRUCT(ThingPage, (), (things, meta))

struct ThingFlow {
    static constexpr std::string_view kCollectionPath = "digitalwallets/v1/profile/things";
    using Record = ThingResponse;
    using Page = ThingPage;
};

struct OtherFlow {
    static constexpr std::string_view kCollectionPath = "digitalwallets/v1/profile/others";
    using Record = ThingResponse;
    using Page = ThingPage;
};

struct PreviewBody {
    std::int64_t amount = 0;
    std::string fingerprint;
};
BOOST_DESCRIBE_STRUCT(PreviewBody, (), (amount, fingerprint))

// A domain body with one key more than the shared one.
struct WideStatusBody : PaymentStatusUpdateRequest {
    std::optional<std::string> extra{};
};
BOOST_DESCRIBE_STRUCT(WideStatusBody, (PaymentStatusUpdateRequest), (extra))

constexpr std::string_view kBase = "https://wallet.example/api/digitalwallets/v1/profile/things";

class PaymentFlowTest : public ::testing::Test {
  protected:
    std::shared_ptr<PaymentFlowTestNetwork> network =
        std::make_shared<PaymentFlowTestNetwork>(R"({"id":"t-1"})");
    std::shared_ptr<PaymentFlowTestFingerprints> fingerprints =
        std::make_shared<PaymentFlowTestFingerprints>();
    PaymentFlowClient<ThingFlow> client{network, fingerprints};
};

TEST(PaymentFlowListParametersTest, QueryKeepsOrderAndSendsEveryPresentValue) {
    struct Row {
        model::PaymentFlowListParameters parameters;
        std::vector<std::pair<std::string, std::string>> items;
    };
    const std::vector<Row> rows = {
        {{std::nullopt, std::nullopt, std::nullopt, std::nullopt}, {}},
        {{20, std::nullopt, 0, std::nullopt}, {{"limit", "20"}, {"offset", "0"}}},
        {{std::nullopt, "m 1", std::nullopt, "S1"}, {{"merchantRefNum", "m 1"}, {"slipID", "S1"}}},
        {{-5, "", INT64_MIN, ""},
         {{"limit", "-5"},
          {"merchantRefNum", ""},
          {"offset", "-9223372036854775808"},
          {"slipID", ""}}},
    };
    for (const auto& row : rows) {
        std::vector<std::pair<std::string, std::string>> items;
        for (const auto& item : row.parameters.queryParams())
            items.emplace_back(item.key, item.value);
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
        {PaymentFlowStatus::processing, std::nullopt, R"({"status":"PROCESSING"})"},
        {PaymentFlowStatus::pending, Properties(std::in_place),
         R"({"status":"PENDING","paymentProperties":[]})"},
        {PaymentFlowStatus::processing,
         Properties({{PaymentPropertyKey::cardCVV, "123"},
                     {std::nullopt, "v"},
                     {PaymentPropertyKey::unknown, std::nullopt}}),
         R"({"status":"PROCESSING","paymentProperties":[{"key":"CARD_CVV","value":"123"},)"
         R"({"value":"v"},{"key":"UNKNOWN"}]})"},
    };
    for (const auto& row : rows) {
        const auto before = network->sent().size();
        client.changeStatus({"d 1", row.properties}, row.status);
        const auto sent = network->sent().at(before);
        EXPECT_EQ(sent.method, "POST");
        EXPECT_EQ(sent.url, std::string(kBase) + "/d%201/status");
        EXPECT_EQ(sent.contentType, "application/json");
        EXPECT_EQ(sent.body, row.body);
    }
    EXPECT_EQ(fingerprints->calls, 0);
}

TEST_F(PaymentFlowTest, DomainStatusBodyWritesTheSharedKeysFirst) {
    WideStatusBody body;
    body.status = "PENDING";
    body.extra = "x";
    client.updateStatus("d1", body);
    EXPECT_EQ(network->only().body, R"({"status":"PENDING","extra":"x"})");
}

TEST_F(PaymentFlowTest, PreviewCarriesAFreshFingerprintAndSendsNothingWhenItFails) {
    EXPECT_EQ(client.preview([](const std::string& fp) {
        return PreviewBody{7, fp};
    }),
              ThingResponse{"t-1"});
    const auto sent = network->only();
    EXPECT_EQ(sent.method, "POST");
    EXPECT_EQ(sent.url, kBase);
    EXPECT_EQ(sent.body, R"({"amount":7,"fingerprint":"fp-1"})");

    fingerprints->fail = true;
    EXPECT_THROW(client.preview([](const std::string& fp) {
        return PreviewBody{7, fp};
    }),
                 std::runtime_error);
    EXPECT_EQ(network->sent().size(), 1u);
    EXPECT_EQ(fingerprints->calls, 2);
}

TEST_F(PaymentFlowTest, ListSendsQueryOnlyForPresentFields) {
    network->setBody(R"({"things":[]})");
    client.list(std::optional<model::PaymentFlowListParameters>());
    client.list(std::optional<model::PaymentFlowListParameters>(
        std::in_place, std::nullopt, std::nullopt, std::nullopt, std::nullopt));
    client.list(std::optional<model::PaymentFlowListParameters>(std::in_place, 0, "a&b=c",
                                                                std::nullopt, "+#"));
    const auto sent = network->sent();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0].url, kBase);
    EXPECT_EQ(sent[1].url, kBase);
    EXPECT_EQ(sent[2].url, std::string(kBase) + "?limit=0&merchantRefNum=a%26b%3Dc&slipID=%2B%23");
    EXPECT_EQ(sent[2].method, "GET");
    EXPECT_EQ(sent[2].body, std::nullopt);
}

TEST_F(PaymentFlowTest, RecordPathEscapesIdentifiersAndRefusesDotSegments) {
    client.record("");
    client.record("a/b?c");
    const auto sent = network->sent();
    EXPECT_EQ(sent.at(0).url, std::string(kBase) + "/");
    EXPECT_EQ(sent.at(1).url, std::string(kBase) + "/a%2Fb%3Fc");
    for (const std::string id : {".", ".."}) {
        EXPECT_THROW(client.record(id), model::WalletError);
        EXPECT_THROW(client.changeStatus({id, std::nullopt}, PaymentFlowStatus::pending),
                     model::WalletError);
    }
    EXPECT_EQ(network->sent().size(), 2u);
}

TEST_F(PaymentFlowTest, OptionsEndpointIsOnePerDomainAndMapsInOrder) {
    EXPECT_EQ(&PaymentFlow<ThingFlow>::paymentOptions(), &PaymentFlow<ThingFlow>::paymentOptions());
    EXPECT_NE(static_cast<const void*>(&PaymentFlow<ThingFlow>::paymentOptions()),
              static_cast<const void*>(&PaymentFlow<OtherFlow>::paymentOptions()));
    network->setBody(R"([{"paymentOption":"CARD"},{},{"paymentOption":"BANK_TRANSFER"}])");
    const auto options = client.paymentOptions();
    ASSERT_EQ(options.size(), 3u);
    EXPECT_EQ(options[0].paymentOption, model::PaymentOptionType::card);
    EXPECT_EQ(options[1].paymentOption, model::PaymentOptionType::unknown);
    EXPECT_EQ(options[2].paymentOption, model::PaymentOptionType::bankTransfer);
    EXPECT_EQ(network->only().url, std::string(kBase) + "/options");
}

TEST(PaymentFlowMappingTest, PagingIsAlwaysPresentAndReferencesReadUnknownTypes) {
    EXPECT_EQ(PaymentFlowMapping::pagingMeta(std::nullopt), model::PagingResultMeta{});
    EXPECT_EQ(PaymentFlowMapping::pagingMeta(PagingResultMetaModel{3, 10, 0, std::nullopt}),
              (model::PagingResultMeta{3, 10, 0, std::nullopt}));
    EXPECT_EQ(PaymentFlowMapping::instrumentReference({"i1", "CARD"}).instrumentType,
              model::InstrumentType::card);
    EXPECT_EQ(PaymentFlowMapping::instrumentReference({"i1", "card"}).instrumentType,
              model::InstrumentType::unknown);
}

TEST(PaymentFlowClientTest, RefusesMissingCollaborators) {
    EXPECT_THROW(
        PaymentFlowClient<ThingFlow>(nullptr, std::make_shared<PaymentFlowTestFingerprints>()),
        std::invalid_argument);
    EXPECT_THROW(
        PaymentFlowClient<ThingFlow>(std::make_shared<PaymentFlowTestNetwork>(""), nullptr),
        std::invalid_argument);
}

}  // namespace
}  // namespace corvend
