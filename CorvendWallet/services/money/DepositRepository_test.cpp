#include "CorvendWallet/services/money/DepositRepository.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/services/cards/CardPaymentInstrument.hpp"
#include "tests/support/FakeDeviceFingerprintProvider.hpp"
#include "tests/support/FakeNetwork.hpp"
#include "tests/support/PaymentReplies.hpp"
#include "tests/support/ReplyDocument.hpp"
#include "tests/support/WalletErrorMatchers.hpp"
#include "tests/support/WireCoding.hpp"

namespace corvend {
namespace {

using model::DepositAction;
using model::HttpRequestMethod;
using model::InstrumentType;
using model::PaymentOptionType;
using model::PaymentPropertyKey;
using model::PaymentStatus;
using FeeReason = model::SimpleFeePayment::FeePaymentReason;
using model::ReturnLink;
using Rel = model::ReturnLink::ReturnLinkType;
using RedirectRel = model::RedirectLink::RedirectLinkType;

const std::string& kRequired = testing::kDepositRequiredMembers;

model::CustomerDeposit mappedDeposit(const std::string& extra) {
    return DepositRepository::customerDeposit(
        testing::decodedReply<DepositServiceEndpoint::CustomerDepositResponse>("{" + kRequired +
                                                                               extra + "}"));
}

TEST(DepositMappingTest, DepositsOwnFieldsReadUnknownTextsAndFollowTheirListRules) {
    const auto bare = mappedDeposit("");
    EXPECT_EQ(bare.action(), DepositAction::unknown);
    EXPECT_TRUE(bare.nextStatus().empty());
    EXPECT_EQ(bare.returnUrls(), std::nullopt);
    EXPECT_EQ(bare.redirectUrl(), std::nullopt);
    EXPECT_EQ(mappedDeposit(R"(,"nextStatus":[])"), bare);

    const auto odd = mappedDeposit(R"(,"action":"none","returnUrls":[],)"
                                   R"("nextStatus":["PENDING","Processing","CANCELLED"])");
    EXPECT_EQ(odd.action(), DepositAction::unknown);
    EXPECT_EQ(odd.returnUrls(), std::vector<ReturnLink>{});
    EXPECT_EQ(odd.nextStatus(), (std::vector{PaymentStatus::pending, PaymentStatus::unknown,
                                             PaymentStatus::cancelled}));
}

// Two records are the same deposit only when every field agrees: the same id with another
// status, or the same fees in another order, is another value.
TEST(DepositMappingTest, DepositsAreEqualOnlyFieldByFieldWithFeesInOrder) {
    const std::string fees = R"(,"fees":[{"amount":5,"currency":"EUR","paymentReason":"FX_FEE"},)"
                             R"({"amount":7,"currency":"EUR","paymentReason":"OTHER_FEE"}])";
    const std::string swapped =
        R"(,"fees":[{"amount":7,"currency":"EUR","paymentReason":"OTHER_FEE"},)"
        R"({"amount":5,"currency":"EUR","paymentReason":"FX_FEE"}])";
    EXPECT_EQ(mappedDeposit(fees), mappedDeposit(fees));
    EXPECT_NE(mappedDeposit(fees), mappedDeposit(swapped));
    EXPECT_NE(mappedDeposit(fees), mappedDeposit(""));
    EXPECT_NE(mappedDeposit(R"(,"action":"REDIRECT")"), mappedDeposit(R"(,"action":"NONE")"));
    EXPECT_NE(mappedDeposit(R"(,"merchantRefNum":"m-1")"),
              mappedDeposit(R"(,"merchantRefNum":"m-2")"));
}

TEST(DepositMappingTest, LinksAlwaysCarryARelationAndAMethod) {
    const auto deposit = mappedDeposit(
        R"(,"returnUrls":[{"href":"x"},{"rel":"ON_CANCELLED","method":"POST"}],)"
        R"("redirectUrl":{"rel":"REDIRECT_PAYMENT","href":"https://3ds","method":"GET"},)"
        R"("action":"REDIRECT")");
    EXPECT_EQ(*deposit.returnUrls(),
              (std::vector<ReturnLink>{{Rel::unknown, "x", HttpRequestMethod::unknown},
                                       {Rel::onCancelled, std::nullopt, HttpRequestMethod::post}}));
    EXPECT_EQ(deposit.redirectUrl()->rel(), RedirectRel::redirectPayment);
    EXPECT_EQ(deposit.redirectUrl()->href(), "https://3ds");
    EXPECT_EQ(deposit.redirectUrl()->method(), HttpRequestMethod::get);
    EXPECT_EQ(deposit.action(), DepositAction::redirect);

    const auto empty = mappedDeposit(R"(,"redirectUrl":{})");
    EXPECT_EQ(empty.redirectUrl()->rel(), RedirectRel::unknown);
    EXPECT_EQ(empty.redirectUrl()->method(), HttpRequestMethod::unknown);
}

TEST(DepositMappingTest, ListsAlwaysCarryPaging) {
    const auto empty = DepositRepository::customerDepositList({});
    EXPECT_TRUE(empty.deposits().empty());
    EXPECT_EQ(empty.meta(), model::PagingResultMeta{});
    const auto page = DepositRepository::customerDepositList(
        testing::decodedReply<DepositServiceEndpoint::DepositListResponse>(
            R"({"deposits":[{)" + kRequired + R"(}],"meta":{"limit":5}})"));
    ASSERT_EQ(page.deposits().size(), 1u);
    EXPECT_EQ(page.meta()->limit, 5);
}

// Every member a deposit record can carry, each with a value of its own, so that a value read
// into another field, or a key the kit spells otherwise, shows.
const testing::ReplyDocument kEveryDepositMember{
    {"amount", "1234"},
    {"currencyCode", R"("GBP")"},
    {"paymentOption", R"("OFFLINE_BANK_TRANSFER")"},
    {"paymentInstrumentReference", R"({"id":"pi-9","instrumentType":"UK_BANK_ACCOUNT"})"},
    {"merchantRefNum", R"("ref-3")"},
    {"returnUrls", R"([{"rel":"ON_FAILED","href":"https://host/failed","method":"POST"},)"
                   R"({"rel":"DEFAULT","href":"https://host/done","method":"GET"}])"},
    {"paymentProperties",
     R"([{"key":"CARD_SAVE_INSTRUMENT","value":"yes"},{"key":"CARD_CVV","value":"737"}])"},
    {"id", R"("dep-4")"},
    {"customerId", R"("cust-5")"},
    {"accountId", R"("acct-6")"},
    {"slipId", R"("slip-7")"},
    {"fundingTransactionId", R"("fund-8")"},
    {"creationTime", R"("2024-03-05T14:07:09Z")"},
    {"expirationTime", R"("2024-03-06T15:08:10.250Z")"},
    {"status", R"("REFUNDED")"},
    {"statusReason", R"("late")"},
    {"nextStatus", R"(["COMPLETED","FAILED"])"},
    {"redirectUrl", R"({"rel":"REDIRECT_PAYMENT","href":"https://acs/page","method":"POST"})"},
    {"action", R"("REDIRECT")"},
    {"fees", R"([{"amount":11,"currency":"USD","paymentReason":"ATM_FEE"},)"
             R"({"amount":22,"currency":"CHF","paymentReason":"CORVEND_FEE"}])"},
};

model::CustomerDeposit mappedDeposit(const testing::ReplyDocument& reply) {
    return DepositRepository::customerDeposit(
        testing::decodedReply<DepositServiceEndpoint::CustomerDepositResponse>(reply.text()));
}

TEST(DepositMappingTest, EveryRepliedMemberReachesItsOwnField) {
    const auto network = std::make_shared<testing::FakeNetwork>(kEveryDepositMember.text());
    const auto repository = DepositRepository::make(
        network, std::make_shared<testing::FakeDeviceFingerprintProvider>());
    const auto deposit = repository->get("dep-4");
    EXPECT_EQ(deposit.amount(), 1234);
    EXPECT_EQ(deposit.currencyCode(), "GBP");
    EXPECT_EQ(deposit.paymentOption(), PaymentOptionType::offlineBankTransfer);
    EXPECT_EQ(deposit.paymentInstrumentReference(),
              (model::PaymentInstrumentReference{"pi-9", InstrumentType::ukBankAccount}));
    EXPECT_EQ(deposit.merchantRefNum(), "ref-3");
    EXPECT_EQ(
        deposit.returnUrls(),
        (std::vector<ReturnLink>{{Rel::onFailed, "https://host/failed", HttpRequestMethod::post},
                                 {Rel::defaultRel, "https://host/done", HttpRequestMethod::get}}));
    EXPECT_EQ(deposit.paymentProperties(),
              (std::vector<model::PaymentProperty>{{PaymentPropertyKey::cardSaveInstrument, "yes"},
                                                   {PaymentPropertyKey::cardCVV, "737"}}));
    EXPECT_EQ(deposit.id(), "dep-4");
    EXPECT_EQ(deposit.customerID(), "cust-5");
    EXPECT_EQ(deposit.accountID(), "acct-6");
    EXPECT_EQ(deposit.slipID(), "slip-7");
    EXPECT_EQ(deposit.fundingTransactionID(), "fund-8");
    EXPECT_EQ(deposit.creationTime(), testing::replyDate("2024-03-05T14:07:09Z"));
    EXPECT_EQ(deposit.expirationTime(), testing::replyDate("2024-03-06T15:08:10.250Z"));
    EXPECT_EQ(deposit.status(), PaymentStatus::refunded);
    EXPECT_EQ(deposit.statusReason(), "late");
    EXPECT_EQ(deposit.nextStatus(), (std::vector{PaymentStatus::completed, PaymentStatus::failed}));
    ASSERT_TRUE(deposit.redirectUrl());
    EXPECT_EQ(deposit.redirectUrl()->rel(), RedirectRel::redirectPayment);
    EXPECT_EQ(deposit.redirectUrl()->href(), "https://acs/page");
    EXPECT_EQ(deposit.redirectUrl()->method(), HttpRequestMethod::post);
    EXPECT_EQ(deposit.action(), DepositAction::redirect);
    EXPECT_EQ(deposit.fees(),
              (std::vector<model::SimpleFeePayment>{{11, "USD", FeeReason::atmFee},
                                                    {22, "CHF", FeeReason::corvendFee}}));

    network->setBody(R"({"deposits":[)" + kEveryDepositMember.text() + R"(],"meta":)" +
                     testing::kEveryPagingMember + "}");
    const auto page = repository->getAll(std::nullopt);
    EXPECT_EQ(page.deposits(), std::vector{deposit});
    EXPECT_EQ(page.meta(), testing::kEveryPagingField);
}

// Every spelling of each vocabulary a deposit record carries reaches its own case.
TEST(DepositWireValuesTest, StatusAndNextStatusReadEveryPaymentStatus) {
    const std::vector<std::pair<std::string, PaymentStatus>> statuses{
        {"PREVIEW", PaymentStatus::preview},       {"PENDING", PaymentStatus::pending},
        {"PROCESSING", PaymentStatus::processing}, {"COMPLETED", PaymentStatus::completed},
        {"FAILED", PaymentStatus::failed},         {"CANCELLED", PaymentStatus::cancelled},
        {"REFUNDED", PaymentStatus::refunded},     {"REDIRECTION", PaymentStatus::redirection}};
    testing::expectEachSpellingRead(statuses, [](const std::string& status) {
        return mappedDeposit(kEveryDepositMember.with("status", status)).status();
    });
    testing::expectEachSpellingRead(statuses, [](const std::string& status) {
        return mappedDeposit(kEveryDepositMember.with("nextStatus", "[" + status + "]"))
            .nextStatus()
            .at(0);
    });
}

TEST(DepositWireValuesTest, PaymentOptionReadsEveryOption) {
    testing::expectEachSpellingRead<PaymentOptionType>(
        {{"VELNO_TRANSFER", PaymentOptionType::velnoTransfer},
         {"BANK_TRANSFER", PaymentOptionType::bankTransfer},
         {"CARD", PaymentOptionType::card},
         {"OFFLINE_BANK_TRANSFER", PaymentOptionType::offlineBankTransfer}},
        [](const std::string& option) {
            return mappedDeposit(kEveryDepositMember.with("paymentOption", option)).paymentOption();
        });
}

TEST(DepositWireValuesTest, InstrumentReferenceReadsEveryInstrumentType) {
    testing::expectEachSpellingRead<InstrumentType>(
        {{"SEPA_BANK_ACCOUNT", InstrumentType::sepaBankAccount},
         {"UK_BANK_ACCOUNT", InstrumentType::ukBankAccount},
         {"US_BANK_ACCOUNT", InstrumentType::usBankAccount},
         {"CARD", InstrumentType::card}},
        [](const std::string& type) {
            return mappedDeposit(
                       kEveryDepositMember.with("paymentInstrumentReference",
                                                R"({"id":"pi-1","instrumentType":)" + type + "}"))
                .paymentInstrumentReference()
                .value()
                .instrumentType;
        });
}

TEST(DepositWireValuesTest, PaymentPropertiesReadEveryKey) {
    testing::expectEachSpellingRead<PaymentPropertyKey>(
        {{"CARD_CVV", PaymentPropertyKey::cardCVV},
         {"CARD_SAVE_INSTRUMENT", PaymentPropertyKey::cardSaveInstrument}},
        [](const std::string& key) {
            return mappedDeposit(
                       kEveryDepositMember.with("paymentProperties", R"([{"key":)" + key + "}]"))
                .paymentProperties()
                .value()
                .at(0)
                .key.value();
        });
}

TEST(DepositWireValuesTest, FeesReadEveryPaymentReason) {
    testing::expectEachSpellingRead<FeeReason>(
        {{"MERCHANT_FEE", FeeReason::merchantFee},
         {"CORVEND_FEE", FeeReason::corvendFee},
         {"ATM_FEE", FeeReason::atmFee},
         {"FX_FEE", FeeReason::fxFee},
         {"OTHER_FEE", FeeReason::otherFee}},
        [](const std::string& reason) {
            return mappedDeposit(kEveryDepositMember.with(
                                     "fees", R"([{"amount":1,"paymentReason":)" + reason + "}]"))
                .fees()
                .at(0)
                .paymentReason;
        });
}

TEST(DepositWireValuesTest, ReturnLinksReadEveryRelation) {
    testing::expectEachSpellingRead<Rel>(
        {{"DEFAULT", Rel::defaultRel},
         {"ON_COMPLETED", Rel::onCompleted},
         {"ON_FAILED", Rel::onFailed},
         {"ON_CANCELLED", Rel::onCancelled}},
        [](const std::string& rel) {
            return mappedDeposit(kEveryDepositMember.with("returnUrls", R"([{"rel":)" + rel + "}]"))
                .returnUrls()
                .value()
                .at(0)
                .rel()
                .value();
        });
}

TEST(DepositWireValuesTest, BothLinksReadEveryMethod) {
    const std::vector<std::pair<std::string, HttpRequestMethod>> methods{
        {"GET", HttpRequestMethod::get}, {"POST", HttpRequestMethod::post}};
    testing::expectEachSpellingRead(methods, [](const std::string& method) {
        return mappedDeposit(
                   kEveryDepositMember.with("returnUrls", R"([{"method":)" + method + "}]"))
            .returnUrls()
            .value()
            .at(0)
            .method()
            .value();
    });
    testing::expectEachSpellingRead(methods, [](const std::string& method) {
        return mappedDeposit(
                   kEveryDepositMember.with("redirectUrl", R"({"method":)" + method + "}"))
            .redirectUrl()
            .value()
            .method()
            .value();
    });
}

TEST(DepositWireValuesTest, RedirectLinkAndActionReadTheirWords) {
    testing::expectEachSpellingRead<RedirectRel>(
        {{"REDIRECT_PAYMENT", RedirectRel::redirectPayment}}, [](const std::string& rel) {
            return mappedDeposit(kEveryDepositMember.with("redirectUrl", R"({"rel":)" + rel + "}"))
                .redirectUrl()
                .value()
                .rel()
                .value();
        });
    testing::expectEachSpellingRead<DepositAction>(
        {{"NONE", DepositAction::none}, {"REDIRECT", DepositAction::redirect}},
        [](const std::string& action) {
            return mappedDeposit(kEveryDepositMember.with("action", action)).action().value();
        });
}

TEST(DepositRepositoryTest, CreateSendsTheInstrumentInFullOrFailsOnOneItCannotWrite) {
    const auto network = std::make_shared<testing::FakeNetwork>("{" + kRequired + "}");
    const auto repository = DepositRepository::make(
        network, std::make_shared<testing::FakeDeviceFingerprintProvider>());
    const auto card = std::make_shared<const model::CardPaymentInstrument>(
        std::nullopt, std::nullopt, std::nullopt, "4111111111111111", "Ada Lovelace", std::nullopt,
        model::CardExpiryDate{2030, 1}, std::nullopt);
    model::CardPaymentInstrument::Fields unknownType;
    unknownType.instrumentType = model::InstrumentType::unknown;
    model::CardPaymentInstrument::Fields bankTypedCard;
    bankTypedCard.instrumentType = model::InstrumentType::sepaBankAccount;
    repository->create(model::DepositCreate("dep-1", std::nullopt, card));
    for (const auto& fields : {unknownType, bankTypedCard}) {
        EXPECT_THAT(
            [&] {
                repository->create(model::DepositCreate(
                    "dep-1", std::nullopt,
                    std::make_shared<const model::CardPaymentInstrument>(fields)));
            },
            testing::ThrowsWalletError(model::WalletError::internalError("I0002")));
    }

    const auto sent = network->sent();
    ASSERT_EQ(sent.size(), 1u) << "an instrument the kit cannot write was sent without it";
    EXPECT_EQ(sent[0].body, R"({"status":"PENDING","paymentInstrument":{"instrumentType":"CARD",)"
                            R"("cardHolderName":"Ada Lovelace","pan":"4111111111111111",)"
                            R"("expiryDate":{"year":2030,"month":1}}})");
}

}  // namespace
}  // namespace corvend
