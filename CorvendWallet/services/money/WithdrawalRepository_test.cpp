#include "CorvendWallet/services/money/WithdrawalRepository.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/PaymentFlowTestNetwork.hpp"
#include "platform/foundation/ISO8601.hpp"

namespace corvend {
namespace {

using model::InstrumentType;
using model::PaymentOptionType;
using model::PaymentProperty;
using model::PaymentPropertyKey;
using model::PaymentStatus;
using model::SimpleFeePayment;
using testing::PaymentFlowTestFingerprints;
using testing::PaymentFlowTestNetwork;

constexpr std::string_view kCollection =
    "https://wallet.example/api/digitalwallets/v1/profile/withdrawals";

constexpr std::string_view kReply =
    R"({"amount":2500,"currencyCode":"EUR","paymentOption":"BANK_TRANSFER",)"
    R"("paymentInstrumentReference":{"id":"pi-1","instrumentType":"SEPA_BANK_ACCOUNT"},)"
    R"("merchantRefNum":"m-1","paymentProperties":[{"key":"CARD_CVV","value":"123"},)"
    R"({"value":"v"}],"id":"wd-1","accountId":"acc-1","customerId":"cus-1",)"
    R"("creationTime":"2024-03-05T14:07:09Z","expirationTime":"2024-03-05T14:17:09.589Z",)"
    R"("fees":[{"amount":50,"currency":"EUR","paymentReason":"CORVEND_FEE"},{"amount":7}],)"
    R"("fundingTransactionId":"ft-1","slipId":"slip-1","status":"PROCESSING",)"
    R"("statusReason":"queued"})";

// The least a reply can carry.
constexpr std::string_view kBareReply =
    R"({"amount":1,"currencyCode":"USD","paymentOption":"VELNO","id":"wd-2",)"
    R"("accountId":"a","customerId":"c","creationTime":"2024-03-05T14:07:09Z",)"
    R"("status":"pending"})";

platform::Date date(std::string_view text) {
    auto parsed = platform::iso8601::parseInternetDateTimeWithFractionalSeconds(text);
    if (!parsed) parsed = platform::iso8601::parseInternetDateTime(text);
    return parsed.value();
}

class WithdrawalRepositoryTest : public ::testing::Test {
  protected:
    std::shared_ptr<PaymentFlowTestNetwork> network =
        std::make_shared<PaymentFlowTestNetwork>(std::string(kReply));
    std::shared_ptr<PaymentFlowTestFingerprints> fingerprints =
        std::make_shared<PaymentFlowTestFingerprints>("fp-7");
    std::shared_ptr<WithdrawalRepository> repository =
        WithdrawalRepository::make(network, fingerprints);
};

TEST_F(WithdrawalRepositoryTest, EachOperationMakesOneCallOnTheWithdrawalCollection) {
    const std::vector<PaymentProperty> cvv = {{PaymentPropertyKey::cardCVV, "123"}};
    struct Row {
        const char* name;
        std::function<void()> call;
        std::string method;
        std::string url;
        std::optional<std::string> body;
        int fingerprints;  // asked by this call
    };
    const std::vector<Row> rows = {
        {"create without properties",
         [&] {
             repository->create({"wd-1", std::nullopt});
         },
         "POST", std::string(kCollection) + "/wd-1/status", R"({"status":"PENDING"})", 0},
        {"create with an empty list",
         [&] {
             repository->create({"wd-1", std::vector<PaymentProperty>{}});
         },
         "POST", std::string(kCollection) + "/wd-1/status",
         R"({"status":"PENDING","paymentProperties":[]})", 0},
        {"confirm",
         [&] {
             repository->confirm({"w d/1", cvv});
         },
         "POST", std::string(kCollection) + "/w%20d%2F1/status",
         R"({"status":"PROCESSING","paymentProperties":[{"key":"CARD_CVV","value":"123"}]})", 0},
        {"preview",
         [&] {
             repository->preview(
                 {10, "EUR", PaymentOptionType::card, std::nullopt, std::nullopt, std::nullopt});
         },
         "POST", std::string(kCollection),
         R"({"amount":10,"currencyCode":"EUR","paymentOption":"CARD",)"
         R"("deviceInfo":{"deviceSessionId":"fp-7","appType":"MOBILE_APP"}})",
         1},
        {"read", [&] { repository->get("wd-1"); }, "GET", std::string(kCollection) + "/wd-1",
         std::nullopt, 0},
        {"read the empty identifier", [&] { repository->get(""); }, "GET",
         std::string(kCollection) + "/", std::nullopt, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto before = network->sent().size();
        const int asked = fingerprints->calls;
        row.call();
        const auto sent = network->sent();
        ASSERT_EQ(sent.size(), before + 1);
        EXPECT_EQ(sent.back().method, row.method);
        EXPECT_EQ(sent.back().url, row.url);
        EXPECT_EQ(sent.back().body, row.body);
        EXPECT_EQ(sent.back().contentType,
                  row.body ? std::optional<std::string>("application/json") : std::nullopt);
        EXPECT_EQ(fingerprints->calls - asked, row.fingerprints);
    }
}

TEST_F(WithdrawalRepositoryTest, ListQueryKeepsOrderAndNoParametersSendNoQuery) {
    network->setBody(R"({"withdrawals":[]})");
    repository->getAll(std::nullopt);
    repository->getAll(
        model::GetWithdrawalsParameters(std::nullopt, std::nullopt, std::nullopt, std::nullopt));
    repository->getAll(model::GetWithdrawalsParameters(std::nullopt, std::nullopt, 20, "S1"));
    repository->getAll(model::GetWithdrawalsParameters(0, "", -1, std::nullopt));
    const auto sent = network->sent();
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[0].url, kCollection);
    EXPECT_EQ(sent[1].url, kCollection);
    EXPECT_EQ(sent[2].url, std::string(kCollection) + "?offset=20&slipID=S1");
    EXPECT_EQ(sent[3].url, std::string(kCollection) + "?limit=0&merchantRefNum=&offset=-1");
}

TEST_F(WithdrawalRepositoryTest, FingerprintFailurePassesUnchangedAndNothingIsSent) {
    fingerprints->fail = true;
    EXPECT_THROW(repository->preview({10, "EUR", PaymentOptionType::card, std::nullopt,
                                      std::nullopt, std::nullopt}),
                 std::runtime_error);
    EXPECT_TRUE(network->sent().empty());
    // The other steps never need it.
    repository->create({"wd-1", std::nullopt});
    repository->confirm({"wd-1", std::nullopt});
    EXPECT_EQ(network->sent().size(), 2u);
}

TEST_F(WithdrawalRepositoryTest, ReplyMapsEveryFieldByItsRule) {
    const auto withdrawal = repository->get("wd-1");
    EXPECT_EQ(withdrawal.amount(), 2500);
    EXPECT_EQ(withdrawal.currencyCode(), "EUR");
    EXPECT_EQ(withdrawal.paymentOption(), PaymentOptionType::bankTransfer);
    EXPECT_EQ(withdrawal.paymentInstrumentReference(),
              (model::PaymentInstrumentReference{"pi-1", InstrumentType::sepaBankAccount}));
    EXPECT_EQ(withdrawal.merchantRefNum(), "m-1");
    // A property without a key comes back with the key `unknown`, never absent.
    EXPECT_EQ(withdrawal.paymentProperties(),
              (std::vector<PaymentProperty>{{PaymentPropertyKey::cardCVV, "123"},
                                            {PaymentPropertyKey::unknown, "v"}}));
    EXPECT_EQ(withdrawal.id(), "wd-1");
    EXPECT_EQ(withdrawal.accountID(), "acc-1");
    EXPECT_EQ(withdrawal.customerID(), "cus-1");
    EXPECT_EQ(withdrawal.creationTime(), date("2024-03-05T14:07:09Z"));
    EXPECT_EQ(withdrawal.expirationTime(), date("2024-03-05T14:17:09.589Z"));
    EXPECT_EQ(withdrawal.fees(),
              (std::vector<SimpleFeePayment>{
                  {50, "EUR", SimpleFeePayment::FeePaymentReason::corvendFee},
                  {7, std::nullopt, SimpleFeePayment::FeePaymentReason::unknown}}));
    EXPECT_EQ(withdrawal.fundingTransactionID(), "ft-1");
    EXPECT_EQ(withdrawal.slipID(), "slip-1");
    EXPECT_EQ(withdrawal.status(), PaymentStatus::processing);
    EXPECT_EQ(withdrawal.statusReason(), "queued");
}

TEST_F(WithdrawalRepositoryTest, BareReplyReadsUnknownValuesAndKeepsAbsence) {
    network->setBody(std::string(kBareReply));
    const auto withdrawal = repository->get("wd-2");
    EXPECT_EQ(withdrawal.paymentOption(), PaymentOptionType::unknown);
    EXPECT_EQ(withdrawal.status(), PaymentStatus::unknown);  // case counts
    EXPECT_EQ(withdrawal.paymentInstrumentReference(), std::nullopt);
    EXPECT_EQ(withdrawal.paymentProperties(), std::nullopt);
    EXPECT_EQ(withdrawal.expirationTime(), std::nullopt);
    EXPECT_TRUE(withdrawal.fees().empty());
    EXPECT_EQ(withdrawal.slipID(), std::nullopt);
    EXPECT_EQ(withdrawal.statusReason(), std::nullopt);

    // Absent fees and an empty list read alike; an absent reason and an empty one do not.
    std::string emptyFees(kBareReply);
    emptyFees.insert(emptyFees.size() - 1, R"(,"fees":[])");
    network->setBody(emptyFees);
    EXPECT_EQ(repository->get("wd-2"), withdrawal);
    std::string emptyReason(kBareReply);
    emptyReason.insert(emptyReason.size() - 1, R"(,"statusReason":"")");
    network->setBody(emptyReason);
    EXPECT_NE(repository->get("wd-2"), withdrawal);
}

TEST_F(WithdrawalRepositoryTest, ListKeepsOrderAndAlwaysHasPaging) {
    network->setBody(R"({"withdrawals":[)" + std::string(kBareReply) + "," + std::string(kReply) +
                     "]}");
    const auto list = repository->getAll(std::nullopt);
    ASSERT_EQ(list.withdrawals().size(), 2u);
    EXPECT_EQ(list.withdrawals()[0].id(), "wd-2");
    EXPECT_EQ(list.withdrawals()[1].id(), "wd-1");
    EXPECT_EQ(list.meta(), model::PagingResultMeta{});

    network->setBody(
        R"({"withdrawals":[],"meta":{"numberOfRecords":0,"limit":5,"offset":10,"page":3}})");
    EXPECT_EQ(repository->getAll(std::nullopt).meta(), (model::PagingResultMeta{0, 5, 10, 3}));
}

TEST_F(WithdrawalRepositoryTest, OptionsComeFromTheWithdrawalOptionsPath) {
    network->setBody(
        R"([{"paymentOption":"CARD","paymentOptionSettings":{"paymentOption":"CARD"}},)"
        R"({"instrumentTypes":["UK_BANK_ACCOUNT","IBAN"]}])");
    const auto options = repository->getOptions();
    ASSERT_EQ(options.size(), 2u);
    EXPECT_EQ(options[0].paymentOption, PaymentOptionType::card);
    ASSERT_NE(options[0].paymentOptionSettings, nullptr);
    EXPECT_EQ(options[1].paymentOption, PaymentOptionType::unknown);
    EXPECT_EQ(
        options[1].instrumentTypes,
        (std::vector<InstrumentType>{InstrumentType::ukBankAccount, InstrumentType::unknown}));
    EXPECT_EQ(network->only().url, std::string(kCollection) + "/options");
    EXPECT_EQ(network->only().method, "GET");
}

}  // namespace
}  // namespace corvend
