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

CustomerTransfer mappedTransfer(const ReplyDocument& reply) {
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
        EXPECT_NO_THROW(mappedTransfer(kReply.with(key, "null"))) << key;
    }
    // The list query's spelling is not the reply's.
    EXPECT_EQ(mappedTransfer(kReply.with("slipID", R"("X")")).slipID(), "S1");
}

TEST(TransferWireTest, MappingReadsUnknownTextsAndEmptyBlocks) {
    const auto full = mappedTransfer(kReply);
    EXPECT_EQ(full.recipient(), Recipient::withCustomerID("c-2"));
    EXPECT_EQ(full.transferDetails(), (model::TransferDetails{Reason::peerTransfer, "rent"}));
    ASSERT_EQ(full.fees().size(), 1u);
    EXPECT_EQ(full.fees()[0].paymentReason, model::SimpleFeePayment::FeePaymentReason::fxFee);
    EXPECT_EQ(full.creationTime(), testing::replyDate("2023-03-14T09:26:53.589Z"));
    EXPECT_EQ(full.status(), PaymentStatus::preview);
    EXPECT_EQ(full.slipID(), "S1");
    EXPECT_EQ(full.fxAmount()->rate->toString(), "1.0800");
    EXPECT_EQ(full.expirationTime(), std::nullopt);

    EXPECT_EQ(mappedTransfer(kReply.with("status", R"("pending")")).status(),
              PaymentStatus::unknown);
    EXPECT_EQ(mappedTransfer(kReply.with("transferDetails", "{}")).transferDetails(),
              (model::TransferDetails{Reason::unknown, std::nullopt}));
    const auto blank = mappedTransfer(kReply.with("recipient", "{}")).recipient();
    EXPECT_TRUE(blank && !blank->customerID() && !blank->email());
}

// The id is the identity of a transfer, not its value: records with the same id but another
// status, recipient or fee order are unequal.
TEST(TransferWireTest, TransfersAreEqualOnlyFieldByFieldWithFeesInOrder) {
    EXPECT_EQ(mappedTransfer(kReply), mappedTransfer(kReply));
    EXPECT_NE(mappedTransfer(kReply), mappedTransfer(kReply.with("status", R"("COMPLETED")")));
    EXPECT_NE(mappedTransfer(kReply),
              mappedTransfer(kReply.with("recipient", R"({"customerId":"c-3"})")));
    const auto twoFees = kReply.with("fees", R"([{"amount":5,"currency":"EUR","paymentReason":)"
                                             R"("FX_FEE"},{"amount":7,"currency":"EUR",)"
                                             R"("paymentReason":"OTHER_FEE"}])");
    const auto swapped = kReply.with("fees", R"([{"amount":7,"currency":"EUR","paymentReason":)"
                                             R"("OTHER_FEE"},{"amount":5,"currency":"EUR",)"
                                             R"("paymentReason":"FX_FEE"}])");
    EXPECT_NE(mappedTransfer(twoFees), mappedTransfer(swapped));
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

// Every member a transfer record can carry, each with a value of its own.
const ReplyDocument kEveryTransferMember{
    {"id", R"("t-7")"},
    {"amount", "4321"},
    {"currencyCode", R"("SEK")"},
    {"recipient", R"({"customerId":"c-8","email":"e@mail.test"})"},
    {"merchantRefNum", R"("m-9")"},
    {"fxQuote", R"("fxq-10")"},
    {"transferDetails", R"({"reason":"BONUS","description":"gift"})"},
    {"fees", R"([{"amount":12,"currency":"NOK","paymentReason":"MERCHANT_FEE"},)"
             R"({"amount":13,"currency":"DKK","paymentReason":"OTHER_FEE"}])"},
    {"creationTime", R"("2023-03-14T09:26:53Z")"},
    {"expirationTime", R"("2023-03-15T10:27:54.125Z")"},
    {"status", R"("CANCELLED")"},
    {"slipId", R"("slip-11")"},
    {"fxAmount", R"({"amount":4702,"rate":1.0883,"currency":"ISK"})"},
};

TEST(TransferWireTest, EveryRepliedMemberReachesItsOwnField) {
    using FeeReason = model::SimpleFeePayment::FeePaymentReason;
    const auto network = std::make_shared<testing::FakeNetwork>(kEveryTransferMember.text());
    const auto repository = TransferRepository::make(
        network, std::make_shared<testing::FakeDeviceFingerprintProvider>());
    const auto transfer = repository->get("t-7");
    EXPECT_EQ(transfer.id(), "t-7");
    EXPECT_EQ(transfer.amount(), 4321);
    EXPECT_EQ(transfer.currencyCode(), "SEK");
    ASSERT_TRUE(transfer.recipient());
    EXPECT_EQ(transfer.recipient()->customerID(), "c-8");
    EXPECT_EQ(transfer.recipient()->email(), "e@mail.test");
    EXPECT_EQ(transfer.merchantRefNum(), "m-9");
    EXPECT_EQ(transfer.fxQuote(), "fxq-10");
    EXPECT_EQ(transfer.transferDetails(), (model::TransferDetails{Reason::bonus, "gift"}));
    EXPECT_EQ(transfer.fees(),
              (std::vector<model::SimpleFeePayment>{{12, "NOK", FeeReason::merchantFee},
                                                    {13, "DKK", FeeReason::otherFee}}));
    EXPECT_EQ(transfer.creationTime(), testing::replyDate("2023-03-14T09:26:53Z"));
    EXPECT_EQ(transfer.expirationTime(), testing::replyDate("2023-03-15T10:27:54.125Z"));
    EXPECT_EQ(transfer.status(), PaymentStatus::cancelled);
    EXPECT_EQ(transfer.slipID(), "slip-11");
    EXPECT_EQ(transfer.fxAmount(),
              (model::FxAmount{4702, platform::Decimal::fromString("1.0883"), "ISK"}));

    network->setBody(R"({"transfers":[)" + kEveryTransferMember.text() + R"(],"meta":)" +
                     testing::kEveryPagingMember + "}");
    const auto page = repository->getAll(std::nullopt);
    EXPECT_EQ(page.transfers(), std::vector{transfer});
    EXPECT_EQ(page.meta(), testing::kEveryPagingField);
}

// "CANCELATION" with one L, as the service spells it.
TEST(TransferWireTest, TransferDetailsReadEveryReason) {
    testing::expectEachSpellingRead<Reason>(
        {{"INITIAL_BALANCE_MIGRATION", Reason::initialBalanceMigration},
         {"CRYPTO_BUY", Reason::cryptoBuy},
         {"CRYPTO_SELL", Reason::cryptoSell},
         {"TRADING_PAIR", Reason::tradingPair},
         {"DEPOSIT", Reason::deposit},
         {"WITHDRAWAL", Reason::withdrawal},
         {"MERCHANT_FEE", Reason::merchantFee},
         {"REFUND", Reason::refund},
         {"CANCELATION", Reason::cancelation},
         {"BONUS", Reason::bonus},
         {"CURRENCY_EXCHANGE", Reason::currencyExchange},
         {"PURCHASE", Reason::purchase},
         {"PAYOUT", Reason::payout},
         {"PEER_TRANSFER", Reason::peerTransfer},
         {"OTHER", Reason::other}},
        [](const std::string& reason) {
            return mappedTransfer(
                       kEveryTransferMember.with("transferDetails", R"({"reason":)" + reason + "}"))
                .transferDetails()
                .reason;
        });
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
