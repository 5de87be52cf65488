#include "CorvendWallet/services/money/TransferRepository.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/networking/SharedCoders.hpp"
#include "tests/support/PaymentFlowTestNetwork.hpp"
#include "platform/json/DecodingError.hpp"

namespace corvend {
namespace {

using model::CustomerTransfer;
using model::PaymentStatus;
using Reason = model::TransferDetails::Reason;
using Recipient = CustomerTransfer::CustomerTransferRecipient;
using TransferServiceEndpoint::CustomerTransferListResponse;
using TransferServiceEndpoint::CustomerTransferResponse;

constexpr std::string_view kReply =
    R"({"id":"t-1","amount":1500,"currencyCode":"EUR","recipient":{"customerId":"c-2"},)"
    R"("transferDetails":{"reason":"PEER_TRANSFER","description":"rent"},)"
    R"("fees":[{"amount":5,"currency":"EUR","paymentReason":"FX_FEE"}],)"
    R"("creationTime":"2023-03-14T09:26:53.589Z","status":"PREVIEW","slipId":"S1",)"
    R"("fxAmount":{"amount":1620,"rate":1.0800,"currency":"USD"}})";

// kReply with the member `key` replaced by `raw` (or dropped when `raw` is empty).
std::string replyWith(const std::string& key, const std::string& raw) {
    std::string text(kReply);
    const auto at = text.find("\"" + key + "\":");
    if (at == std::string::npos && raw.empty()) return text;
    if (at == std::string::npos)
        return text.substr(0, text.size() - 1) + ",\"" + key + "\":" + raw + "}";
    std::size_t end = at + key.size() + 3;
    int depth = 0;
    for (; end < text.size(); ++end) {
        const char c = text[end];
        if (c == '{' || c == '[') ++depth;
        if (c == '}' || c == ']') {
            if (depth == 0) break;
            --depth;
        }
        if (c == ',' && depth == 0) break;
    }
    if (raw.empty()) {
        const bool last = text[end] == '}';
        return last ? text.substr(0, at - 1) + text.substr(end)
                    : text.substr(0, at) + text.substr(end + 1);
    }
    return text.substr(0, at) + "\"" + key + "\":" + raw + text.substr(end);
}

CustomerTransfer decodeAndMap(const std::string& text) {
    return TransferRepository::mapTransfer(
        sharedResponseDecoder().decode<CustomerTransferResponse>(platform::Data(text)));
}

TEST(TransferWireTest, RequiredKeysFailTheWholeReplyAndOptionalOnesMayBeNull) {
    for (const std::string key :
         {"id", "amount", "currencyCode", "transferDetails", "creationTime", "status"}) {
        EXPECT_THROW(decodeAndMap(replyWith(key, "")), platform::DecodingError) << key;
        EXPECT_THROW(decodeAndMap(replyWith(key, "null")), platform::DecodingError) << key;
    }
    EXPECT_THROW(decodeAndMap(replyWith("amount", "\"1500\"")), platform::DecodingError);
    EXPECT_THROW(decodeAndMap(replyWith("creationTime", "\"2023-03-14\"")),
                 platform::DecodingError);
    EXPECT_THROW(decodeAndMap(replyWith("fees", "{}")), platform::DecodingError);
    for (const std::string key : {"recipient", "merchantRefNum", "fxQuote", "fees",
                                  "expirationTime", "slipId", "fxAmount"}) {
        EXPECT_NO_THROW(decodeAndMap(replyWith(key, "null"))) << key;
        EXPECT_NO_THROW(decodeAndMap(replyWith(key, ""))) << key;
    }
    // The list query's spelling is not the reply's.
    EXPECT_EQ(decodeAndMap(replyWith("slipID", "\"X\"")).slipID(), "S1");
    EXPECT_EQ(
        decodeAndMap(replyWith("creationTime", "\"2023-03-14T09:26:53Z\"")).creationTime(),
        decodeAndMap(replyWith("creationTime", "\"2023-03-14T09:26:53.000Z\"")).creationTime());
}

TEST(TransferWireTest, MappingReadsUnknownTextsAndFillsEmptyLists) {
    const auto full = decodeAndMap(std::string(kReply));
    EXPECT_EQ(full.recipient(), Recipient::withCustomerID("c-2"));
    EXPECT_EQ(full.transferDetails().reason, Reason::peerTransfer);
    ASSERT_EQ(full.fees().size(), 1u);
    EXPECT_EQ(full.fees()[0].paymentReason, model::SimpleFeePayment::FeePaymentReason::fxFee);
    EXPECT_EQ(full.status(), PaymentStatus::preview);
    EXPECT_EQ(full.fxAmount()->rate->toString(), "1.0800");
    EXPECT_EQ(full.expirationTime(), std::nullopt);

    struct Row {
        std::string key, raw;
        std::function<bool(const CustomerTransfer&)> holds;
    };
    const std::vector<Row> rows = {
        {"status", "\"pending\"", [](auto& t) { return t.status() == PaymentStatus::unknown; }},
        {"status", "\"CANCELLED\"", [](auto& t) { return t.status() == PaymentStatus::cancelled; }},
        {"transferDetails", "{}",
         [](auto& t) { return t.transferDetails() == model::TransferDetails{}; }},
        {"transferDetails", R"({"reason":"CANCELATION"})",
         [](auto& t) { return t.transferDetails().reason == Reason::cancelation; }},
        {"transferDetails", R"({"reason":"CANCELLATION"})",
         [](auto& t) { return t.transferDetails().reason == Reason::unknown; }},
        {"fees", "", [](auto& t) { return t.fees().empty(); }},
        {"fees", "[]", [](auto& t) { return t.fees().empty(); }},
        {"recipient", "", [](auto& t) { return !t.recipient(); }},
        {"recipient", "{}",
         [](auto& t) {
             return t.recipient() && !t.recipient()->customerID() && !t.recipient()->email();
         }},
    };
    for (const auto& row : rows) {
        EXPECT_TRUE(row.holds(decodeAndMap(replyWith(row.key, row.raw)))) << row.key << row.raw;
    }
}

TEST(TransferWireTest, ListNeedsTransfersAndAlwaysHasPaging) {
    const auto decode = [](std::string_view text) {
        return TransferRepository::mapTransferList(
            sharedResponseDecoder().decode<CustomerTransferListResponse>(platform::Data(text)));
    };
    const auto empty = decode(R"({"transfers":[]})");
    EXPECT_TRUE(empty.transfers().empty());
    EXPECT_EQ(empty.meta(), model::PagingResultMeta{});
    EXPECT_THROW(decode(R"({"meta":{}})"), platform::DecodingError);
    const auto two = decode(std::string(R"({"transfers":[)") + std::string(kReply) + "," +
                            replyWith("id", "\"t-2\"") + R"(],"meta":{"limit":2}})");
    ASSERT_EQ(two.transfers().size(), 2u);
    EXPECT_EQ(two.transfers()[1].id(), "t-2");
    EXPECT_EQ(two.meta()->limit, 2);
}

TEST(TransferModelTest, RecipientsAndRecordsCompareFieldByField) {
    EXPECT_NE(Recipient::withCustomerID("x"), Recipient::withEmail("x"));
    EXPECT_EQ(Recipient::withEmail("x").customerID(), std::nullopt);
    EXPECT_EQ(decodeAndMap(replyWith("recipient", "{}")).recipient(),
              decodeAndMap(replyWith("recipient", R"({"email":null})")).recipient());
    const std::string fees =
        R"([{"amount":1,"paymentReason":"FX_FEE"},{"amount":2,"paymentReason":"ATM_FEE"}])";
    const std::string swapped =
        R"([{"amount":2,"paymentReason":"ATM_FEE"},{"amount":1,"paymentReason":"FX_FEE"}])";
    EXPECT_NE(decodeAndMap(replyWith("fees", fees)), decodeAndMap(replyWith("fees", swapped)));
    const auto preview = decodeAndMap(std::string(kReply));
    const auto pending = decodeAndMap(replyWith("status", "\"PENDING\""));
    EXPECT_EQ(preview.id(), pending.id());
    EXPECT_NE(preview, pending);
}

class TransferRepositoryTest : public ::testing::Test {
  protected:
    std::shared_ptr<testing::PaymentFlowTestNetwork> network =
        std::make_shared<testing::PaymentFlowTestNetwork>(std::string(kReply));
    std::shared_ptr<testing::PaymentFlowTestFingerprints> fingerprints =
        std::make_shared<testing::PaymentFlowTestFingerprints>("fp-9");
    std::shared_ptr<TransferRepository> repository =
        TransferRepository::make(network, fingerprints);
};

TEST_F(TransferRepositoryTest, PreviewBodyCarriesTheDeviceBlockAndOnlyPresentKeys) {
    struct Row {
        std::optional<Recipient> recipient;
        std::optional<std::string> merchantRefNum, fxQuote;
        model::TransferDetails details;
        std::string body;
    };
    const std::vector<Row> rows = {
        {std::nullopt,
         std::nullopt,
         std::nullopt,
         {Reason::cancelation, std::nullopt},
         R"({"amount":100,"currencyCode":"EUR","deviceInfo":{"deviceSessionId":"fp-9",)"
         R"("appType":"MOBILE_APP"},"transferDetails":{"reason":"CANCELATION"}})"},
        {Recipient::withEmail("a@b.c"),
         "m-1",
         "fxq-1",
         {Reason::unknown, "d"},
         R"({"amount":100,"currencyCode":"EUR","recipient":{"email":"a@b.c"},"merchantRefNum":"m-1",)"
         R"("deviceInfo":{"deviceSessionId":"fp-9","appType":"MOBILE_APP"},"fxQuote":"fxq-1",)"
         R"("transferDetails":{"reason":"UNKNOWN","description":"d"}})"},
    };
    for (const auto& row : rows) {
        const auto before = network->sent().size();
        repository->preview(
            {100, "EUR", row.recipient, row.merchantRefNum, row.fxQuote, row.details});
        const auto sent = network->sent().at(before);
        EXPECT_EQ(sent.method, "POST");
        EXPECT_EQ(sent.url, "https://wallet.example/api/digitalwallets/v1/profile/transfers");
        EXPECT_EQ(sent.body, row.body);
    }
    fingerprints->fail = true;
    EXPECT_THROW(repository->preview({1, "EUR", std::nullopt, std::nullopt, std::nullopt, {}}),
                 std::runtime_error);
    EXPECT_EQ(network->sent().size(), rows.size());
}

TEST_F(TransferRepositoryTest, CreateConfirmListAndGetUseTheirCalls) {
    repository->create({"t-1", std::nullopt});
    repository->confirm({"t-1", std::vector<model::PaymentProperty>{}});
    network->setBody(R"({"transfers":[]})");
    repository->getAll(std::nullopt);
    repository->getAll(model::GetTransferParameters(20, std::nullopt, 0, std::nullopt));
    network->setBody(std::string(kReply));
    repository->get("t 1");
    const auto sent = network->sent();
    ASSERT_EQ(sent.size(), 5u);
    const std::string base = "https://wallet.example/api/digitalwallets/v1/profile/transfers";
    EXPECT_EQ(sent[0].url, base + "/t-1/status");
    EXPECT_EQ(sent[0].body, R"({"status":"PENDING"})");
    EXPECT_EQ(sent[1].body, R"({"status":"PROCESSING","paymentProperties":[]})");
    EXPECT_EQ(sent[2].url, base);
    EXPECT_EQ(sent[3].url, base + "?limit=20&offset=0");
    EXPECT_EQ(sent[4].url, base + "/t%201");
    EXPECT_EQ(sent[4].method, "GET");
    EXPECT_EQ(fingerprints->calls, 0);
}

}  // namespace
}  // namespace corvend
