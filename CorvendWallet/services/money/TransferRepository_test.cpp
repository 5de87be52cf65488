#include "CorvendWallet/services/money/TransferRepository.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/support/FakeDeviceFingerprintProvider.hpp"
#include "tests/support/FakeNetwork.hpp"
#include "tests/support/ReplyDocument.hpp"
#include "tests/support/WireCoding.hpp"

namespace corvend {
namespace {

using model::CustomerTransfer;
using model::PaymentStatus;
using testing::ReplyDocument;
using Reason = model::TransferDetails::Reason;
using Recipient = CustomerTransfer::CustomerTransferRecipient;
using TransferServiceEndpoint::CustomerTransferListResponse;
using TransferServiceEndpoint::CustomerTransferResponse;

const ReplyDocument kReply{
    {"id", R"("t-1")"},
    {"amount", "1500"},
    {"currencyCode", R"("EUR")"},
    {"recipient", R"({"customerId":"c-2"})"},
    {"transferDetails", R"({"reason":"PEER_TRANSFER","description":"rent"})"},
    {"fees", R"([{"amount":5,"currency":"EUR","paymentReason":"FX_FEE"}])"},
    {"creationTime", R"("2023-03-14T09:26:53.589Z")"},
    {"status", R"("PREVIEW")"},
    {"slipId", R"("S1")"},
    {"fxAmount", R"({"amount":1620,"rate":1.0800,"currency":"USD"})"},
};

CustomerTransfer mapped(const ReplyDocument& reply) {
    return TransferRepository::mapTransfer(
        testing::decodedReply<CustomerTransferResponse>(reply.text()));
}

TEST(TransferWireTest, RequiredKeysFailTheWholeReplyAndOptionalOnesMayBeNull) {
    for (const std::string key :
         {"id", "amount", "currencyCode", "transferDetails", "creationTime", "status"}) {
        EXPECT_TRUE(testing::decodingFailure<CustomerTransferResponse>(kReply.without(key).text()))
            << key;
        EXPECT_TRUE(
            testing::decodingFailure<CustomerTransferResponse>(kReply.with(key, "null").text()))
            << key;
    }
    for (const std::string key : {"recipient", "merchantRefNum", "fxQuote", "fees",
                                  "expirationTime", "slipId", "fxAmount"}) {
        EXPECT_NO_THROW(mapped(kReply.with(key, "null"))) << key;
    }
    // The list query's spelling is not the reply's.
    EXPECT_EQ(mapped(kReply.with("slipID", R"("X")")).slipID(), "S1");
}

TEST(TransferWireTest, MappingReadsUnknownTextsAndEmptyBlocks) {
    const auto full = mapped(kReply);
    EXPECT_EQ(full.recipient(), Recipient::withCustomerID("c-2"));
    EXPECT_EQ(full.transferDetails(), (model::TransferDetails{Reason::peerTransfer, "rent"}));
    ASSERT_EQ(full.fees().size(), 1u);
    EXPECT_EQ(full.fees()[0].paymentReason, model::SimpleFeePayment::FeePaymentReason::fxFee);
    EXPECT_EQ(full.creationTime(), testing::replyDate("2023-03-14T09:26:53.589Z"));
    EXPECT_EQ(full.status(), PaymentStatus::preview);
    EXPECT_EQ(full.slipID(), "S1");
    EXPECT_EQ(full.fxAmount()->rate->toString(), "1.0800");
    EXPECT_EQ(full.expirationTime(), std::nullopt);

    EXPECT_EQ(mapped(kReply.with("status", R"("pending")")).status(), PaymentStatus::unknown);
    EXPECT_EQ(mapped(kReply.with("transferDetails", "{}")).transferDetails(),
              (model::TransferDetails{Reason::unknown, std::nullopt}));
    const auto blank = mapped(kReply.with("recipient", "{}")).recipient();
    EXPECT_TRUE(blank && !blank->customerID() && !blank->email());
}

// The id is the identity of a transfer, not its value: records with the same id but another
// status, recipient or fee order are unequal.
TEST(TransferWireTest, TransfersAreEqualOnlyFieldByFieldWithFeesInOrder) {
    EXPECT_EQ(mapped(kReply), mapped(kReply));
    EXPECT_NE(mapped(kReply), mapped(kReply.with("status", R"("COMPLETED")")));
    EXPECT_NE(mapped(kReply), mapped(kReply.with("recipient", R"({"customerId":"c-3"})")));
    const auto twoFees = kReply.with("fees", R"([{"amount":5,"currency":"EUR","paymentReason":)"
                                             R"("FX_FEE"},{"amount":7,"currency":"EUR",)"
                                             R"("paymentReason":"OTHER_FEE"}])");
    const auto swapped = kReply.with("fees", R"([{"amount":7,"currency":"EUR","paymentReason":)"
                                             R"("OTHER_FEE"},{"amount":5,"currency":"EUR",)"
                                             R"("paymentReason":"FX_FEE"}])");
    EXPECT_NE(mapped(twoFees), mapped(swapped));
}

TEST(TransferWireTest, ListNeedsTransfersAndAlwaysHasPaging) {
    const auto decode = [](const std::string& text) {
        return TransferRepository::mapTransferList(
            testing::decodedReply<CustomerTransferListResponse>(text));
    };
    EXPECT_EQ(decode(R"({"transfers":[]})").meta(), model::PagingResultMeta{});
    EXPECT_TRUE(testing::decodingFailure<CustomerTransferListResponse>(R"({"meta":{}})"));
    const auto two = decode(R"({"transfers":[)" + kReply.text() + "," +
                            kReply.with("id", R"("t-2")").text() + R"(],"meta":{"limit":2}})");
    ASSERT_EQ(two.transfers().size(), 2u);
    EXPECT_EQ(two.transfers()[1].id(), "t-2");
    EXPECT_EQ(two.meta()->limit, 2);
}

TEST(TransferRepositoryTest, PreviewBodyCarriesTheDeviceBlockAndOnlyPresentKeys) {
    const auto network = std::make_shared<testing::FakeNetwork>(kReply.text());
    const auto repository = TransferRepository::make(
        network, std::make_shared<testing::FakeDeviceFingerprintProvider>("fp-9"));
    repository->preview({100, "EUR", std::nullopt, std::nullopt, std::nullopt,
                         model::TransferDetails{Reason::cancelation, std::nullopt}});
    repository->preview({100, "EUR", Recipient::withEmail("a@b.c"), "m-1", "fxq-1",
                         model::TransferDetails{Reason::unknown, "d"}});
    const auto sent = network->sent();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].body,
              R"({"amount":100,"currencyCode":"EUR","deviceInfo":{"threatMetrixSessionId":"fp-9",)"
              R"("appType":"MOBILE_APP"},"transferDetails":{"reason":"CANCELATION"}})");
    EXPECT_EQ(sent[1].body,
              R"({"amount":100,"currencyCode":"EUR","recipient":{"email":"a@b.c"},)"
              R"("merchantRefNum":"m-1","deviceInfo":{"threatMetrixSessionId":"fp-9",)"
              R"("appType":"MOBILE_APP"},"fxQuote":"fxq-1",)"
              R"("transferDetails":{"reason":"UNKNOWN","description":"d"}})");
}

}  // namespace
}  // namespace corvend
