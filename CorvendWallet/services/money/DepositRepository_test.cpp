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
#include "tests/support/WalletErrorMatchers.hpp"
#include "tests/support/WireCoding.hpp"

namespace corvend {
namespace {

using model::DepositAction;
using model::HttpRequestMethod;
using model::PaymentStatus;
using model::ReturnLink;
using Rel = model::ReturnLink::ReturnLinkType;
using RedirectRel = model::RedirectLink::RedirectLinkType;

const std::string& kRequired = testing::kDepositRequiredMembers;

model::CustomerDeposit mapped(const std::string& extra) {
    return DepositRepository::customerDeposit(
        testing::decodedReply<DepositServiceEndpoint::CustomerDepositResponse>("{" + kRequired +
                                                                               extra + "}"));
}

TEST(DepositMappingTest, DepositsOwnFieldsReadUnknownTextsAndFollowTheirListRules) {
    const auto bare = mapped("");
    EXPECT_EQ(bare.action(), DepositAction::unknown);
    EXPECT_TRUE(bare.nextStatus().empty());
    EXPECT_EQ(bare.returnUrls(), std::nullopt);
    EXPECT_EQ(bare.redirectUrl(), std::nullopt);
    EXPECT_EQ(mapped(R"(,"nextStatus":[])"), bare);

    const auto odd = mapped(R"(,"action":"none","returnUrls":[],)"
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
    EXPECT_EQ(mapped(fees), mapped(fees));
    EXPECT_NE(mapped(fees), mapped(swapped));
    EXPECT_NE(mapped(fees), mapped(""));
    EXPECT_NE(mapped(R"(,"action":"REDIRECT")"), mapped(R"(,"action":"NONE")"));
    EXPECT_NE(mapped(R"(,"merchantRefNum":"m-1")"), mapped(R"(,"merchantRefNum":"m-2")"));
}

TEST(DepositMappingTest, LinksAlwaysCarryARelationAndAMethod) {
    const auto deposit =
        mapped(R"(,"returnUrls":[{"href":"x"},{"rel":"ON_CANCELLED","method":"POST"}],)"
               R"("redirectUrl":{"rel":"REDIRECT_PAYMENT","href":"https://3ds","method":"GET"},)"
               R"("action":"REDIRECT")");
    EXPECT_EQ(*deposit.returnUrls(),
              (std::vector<ReturnLink>{{Rel::unknown, "x", HttpRequestMethod::unknown},
                                       {Rel::onCancelled, std::nullopt, HttpRequestMethod::post}}));
    EXPECT_EQ(deposit.redirectUrl()->rel(), RedirectRel::redirectPayment);
    EXPECT_EQ(deposit.redirectUrl()->href(), "https://3ds");
    EXPECT_EQ(deposit.redirectUrl()->method(), HttpRequestMethod::get);
    EXPECT_EQ(deposit.action(), DepositAction::redirect);

    const auto empty = mapped(R"(,"redirectUrl":{})");
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
