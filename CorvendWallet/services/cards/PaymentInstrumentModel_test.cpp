#include "CorvendWallet/services/cards/PaymentInstrumentModel.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "CorvendWallet/services/cards/SepaBankAccount.hpp"
#include "CorvendWallet/services/cards/UkBankAccount.hpp"
#include "CorvendWallet/services/cards/UsBankAccount.hpp"
#include "tests/support/WireCoding.hpp"

namespace corvend {
namespace {

using model::CardScheme;
using model::InstrumentType;
using model::PaymentInstrumentStatus;
using AccountType = model::UsBankAccount::AccountType;

PaymentInstrumentModel decode(const std::string& json) {
    return testing::decodedReply<PaymentInstrumentModel>(json);
}

// 2023-03-14T09:26:53.589Z, and the same instant as seconds since 2001-01-01.
platform::Date savedAt() {
    using namespace std::chrono;
    return platform::Date(sys_days{2023y / March / 14} + 9h + 26min + 53s + 589ms);
}
constexpr const char* kSavedAtText = "2023-03-14T09:26:53.589Z";
constexpr const char* kSavedAtSeconds = "700478813.589";
const PaymentInstrumentModel::ExpiryDate kWireExpiry{2030, 4};
const model::CardExpiryDate kExpiry{2030, 4};

// A reply entry with every key of the card, SEPA, UK and US kinds, of type `type`.
PaymentInstrumentModel everyKey(std::string type) {
    return {"i-1", "c-1",  std::move(type), "REJECTED", "Holder", "DE89", "COBA", "Bank",
            "111", "222",  "CHECKING",      "33-44",    "k",      18,     "FULL", "DE",
            "Ann", "4111", kWireExpiry,     savedAt(),  "MC",     "desc"};
}

TEST(PaymentInstrumentModelTest, DecodesEveryKey) {
    EXPECT_EQ(
        decode(R"({"id":"i-1","customerId":"c-1","instrumentType":"CARD","status":"REJECTED",)"
               R"("accountHolderName":"Holder","iban":"DE89","bic":"COBA","bankName":"Bank",)"
               R"("accountNumber":"111","routingNumber":"222","accountType":"CHECKING",)"
               R"("sortCode":"33-44","consumerId":"k","ageRestriction":18,)"
               R"("kycLevelRestriction":"FULL","countryRestriction":"DE","cardHolderName":"Ann",)"
               R"("pan":"4111","expiryDate":{"year":2030,"month":4},"creationTime":")" +
               std::string(kSavedAtText) +
               R"(","cardScheme":"MC","description":"desc","unlisted":{"a":[1e400]}})"),
        everyKey("CARD"));

    EXPECT_EQ(decode(R"({"instrumentType":"X","id":null,"expiryDate":null,"creationTime":null})"),
              PaymentInstrumentModel{.instrumentType = "X"});
}

TEST(PaymentInstrumentModelTest, MalformedEntriesFailTheWholeReply) {
    const char* entries[] = {
        R"({"id":"i-1"})",
        R"({"instrumentType":"CARD","expiryDate":{"year":2030}})",
        R"({"instrumentType":"CARD","ageRestriction":"18"})",
        R"({"instrumentType":"CARD","creationTime":"2023-03-14"})",
    };
    for (const char* entry : entries) {
        const std::string list = std::string(R"([{"instrumentType":"CARD"},)") + entry + "]";
        EXPECT_TRUE(testing::decodingFailure<std::vector<PaymentInstrumentModel>>(list)) << list;
    }
}

TEST(PaymentInstrumentModelTest, MapsEachKindFromItsOwnKeys) {
    const std::pair<const char*, std::shared_ptr<const model::PaymentInstrument>> rows[] = {
        {"CARD",
         std::make_shared<const model::CardPaymentInstrument>(model::CardPaymentInstrument::Fields{
             "i-1", "c-1", InstrumentType::card, PaymentInstrumentStatus::rejected, "4111", "Ann",
             "Bank", kExpiry, savedAt(), CardScheme::mastercard, "desc"})},
        {"SEPA_BANK_ACCOUNT",
         std::make_shared<const model::SepaBankAccount>(model::SepaBankAccount::Fields{
             "i-1", "c-1", InstrumentType::sepaBankAccount, PaymentInstrumentStatus::rejected,
             "Holder", "DE89", "COBA", "Bank", savedAt()})},
        {"UK_BANK_ACCOUNT",
         std::make_shared<const model::UkBankAccount>(model::UkBankAccount::Fields{
             "i-1", "c-1", InstrumentType::ukBankAccount, PaymentInstrumentStatus::rejected,
             "Holder", "111", "33-44", "Bank", savedAt()})},
        {"US_BANK_ACCOUNT",
         std::make_shared<const model::UsBankAccount>(model::UsBankAccount::Fields{
             "i-1", "c-1", InstrumentType::usBankAccount, PaymentInstrumentStatus::rejected,
             "Holder", "111", "222", "Bank", AccountType::checking, savedAt()})},
    };
    for (const auto& [type, expected] : rows) {
        const auto mapped = toPaymentInstrument(everyKey(type));
        ASSERT_NE(mapped, nullptr) << type;
        EXPECT_TRUE(mapped->equals(*expected)) << type;
    }
}

// A mapped instrument always has a status, a US account an account type and a card a scheme:
// an absent key reads as `unknown`, as an unlisted string does.
TEST(PaymentInstrumentModelTest, AbsentStatusTypeAndSchemeReadAsUnknown) {
    for (const char* type : {"CARD", "SEPA_BANK_ACCOUNT", "UK_BANK_ACCOUNT", "US_BANK_ACCOUNT"}) {
        for (const std::optional<std::string>& status :
             {std::optional<std::string>(), std::optional<std::string>("PENDING")}) {
            PaymentInstrumentModel entry = everyKey(type);
            entry.status = status;
            entry.accountType = status;
            entry.cardScheme = status;
            const auto mapped = toPaymentInstrument(entry);
            ASSERT_NE(mapped, nullptr) << type;
            EXPECT_EQ(mapped->status(), PaymentInstrumentStatus::unknown) << type;
            if (const auto* card = mapped->as<model::CardPaymentInstrument>()) {
                EXPECT_EQ(card->cardScheme(), CardScheme::unknown);
            }
            if (const auto* account = mapped->as<model::UsBankAccount>()) {
                EXPECT_EQ(account->accountType(), AccountType::unknown);
            }
        }
    }
}

TEST(PaymentInstrumentModelTest, EntriesThatDescribeNoInstrument) {
    using Key = std::optional<std::string> PaymentInstrumentModel::*;
    struct Row {
        const char* type;
        Key missing;  // left out of an entry that has every other key
    };
    const Row rows[] = {
        {"CARD", &PaymentInstrumentModel::id},
        {"CARD", &PaymentInstrumentModel::pan},
        {"SEPA_BANK_ACCOUNT", &PaymentInstrumentModel::customerId},
        {"SEPA_BANK_ACCOUNT", &PaymentInstrumentModel::bic},
        {"UK_BANK_ACCOUNT", &PaymentInstrumentModel::sortCode},
        {"US_BANK_ACCOUNT", &PaymentInstrumentModel::routingNumber},
    };
    for (const Row& row : rows) {
        PaymentInstrumentModel entry = everyKey(row.type);
        ASSERT_NE(toPaymentInstrument(entry), nullptr) << row.type;
        (entry.*row.missing).reset();
        EXPECT_EQ(toPaymentInstrument(entry), nullptr) << row.type;
    }
    PaymentInstrumentModel noExpiry = everyKey("CARD");
    noExpiry.expiryDate.reset();
    EXPECT_EQ(toPaymentInstrument(noExpiry), nullptr);
    for (const char* type : {"card", "UNKNOWN"}) {
        EXPECT_EQ(toPaymentInstrument(everyKey(type)), nullptr) << type;
    }

    // A list keeps the entries that map, in order.
    PaymentInstrumentModel broken = everyKey("CARD");
    broken.pan.reset();
    PaymentInstrumentModel second = everyKey("UK_BANK_ACCOUNT");
    second.id = "i-2";
    const auto list = toPaymentInstruments({everyKey("CARD"), broken, second});
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]->instrumentType(), InstrumentType::card);
    EXPECT_EQ(list[1]->id(), "i-2");
}

TEST(PaymentInstrumentModelTest, FlattensEachKindWithItsOwnKeys) {
    struct Row {
        const char* name;
        std::shared_ptr<const model::PaymentInstrument> instrument;
        std::string expected;
    };
    const std::string saved = std::string(",\"creationTime\":") + kSavedAtSeconds;
    const Row rows[] = {
        {"card: no scheme, no restrictions",
         std::make_shared<const model::CardPaymentInstrument>(model::CardPaymentInstrument::Fields{
             "i-1", "c-1", InstrumentType::card, PaymentInstrumentStatus::verified, "4111", "Ann",
             "Bank", kExpiry, savedAt(), CardScheme::visa, "desc"}),
         R"({"id":"i-1","customerId":"c-1","instrumentType":"CARD","status":"VERIFIED",)"
         R"("bankName":"Bank","cardHolderName":"Ann","pan":"4111",)"
         R"("expiryDate":{"year":2030,"month":4})" +
             saved + R"(,"description":"desc"})"},
        {"SEPA with unknown status",
         std::make_shared<const model::SepaBankAccount>("i-1", "c-1",
                                                        PaymentInstrumentStatus::unknown, "Holder",
                                                        "DE89", "COBA", std::nullopt),
         R"({"id":"i-1","customerId":"c-1","instrumentType":"SEPA_BANK_ACCOUNT","status":"",)"
         R"("accountHolderName":"Holder","iban":"DE89","bic":"COBA"})"},
        {"UK",
         std::make_shared<const model::UkBankAccount>(
             "i-1", "c-1", PaymentInstrumentStatus::rejected, std::nullopt, "111", "33-44", "Bank"),
         R"({"id":"i-1","customerId":"c-1","instrumentType":"UK_BANK_ACCOUNT","status":"REJECTED",)"
         R"("bankName":"Bank","accountNumber":"111","sortCode":"33-44"})"},
        {"US with unknown account type",
         std::make_shared<const model::UsBankAccount>(std::nullopt, std::nullopt, std::nullopt,
                                                      "Holder", "111", "222", std::nullopt,
                                                      AccountType::unknown),
         R"({"instrumentType":"US_BANK_ACCOUNT","accountHolderName":"Holder",)"
         R"("accountNumber":"111","routingNumber":"222","accountType":""})"},
    };
    for (const Row& row : rows) {
        const auto wire = toPaymentInstrumentModel(*row.instrument);
        ASSERT_TRUE(wire) << row.name;
        EXPECT_EQ(testing::encodedJSON(*wire), row.expected) << row.name;
    }
}

TEST(PaymentInstrumentModelTest, ValuesThatDoNotFlatten) {
    model::SepaBankAccount::Fields reportsCard;
    reportsCard.instrumentType = InstrumentType::card;
    EXPECT_EQ(toPaymentInstrumentModel(model::SepaBankAccount(reportsCard)), std::nullopt);

    model::CardPaymentInstrument::Fields unknownCard;
    unknownCard.instrumentType = InstrumentType::unknown;
    EXPECT_EQ(toPaymentInstrumentModel(model::CardPaymentInstrument(unknownCard)), std::nullopt);
}

// Every spelling of the status and of a US account's type reaches its own case.
TEST(PaymentInstrumentModelTest, StatusAndAccountTypeReadEverySpelling) {
    const auto read = [](const std::string& status, const std::string& accountType) {
        return toPaymentInstrument(
            decode(R"({"id":"i-1","customerId":"c-1","instrumentType":"US_BANK_ACCOUNT",)"
                   R"("accountNumber":"111","routingNumber":"222","status":)" +
                   status + R"(,"accountType":)" + accountType + "}"));
    };
    testing::expectEachSpellingRead<PaymentInstrumentStatus>(
        {{"VERIFIED", PaymentInstrumentStatus::verified},
         {"UNVERIFIED", PaymentInstrumentStatus::unverified},
         {"REJECTED", PaymentInstrumentStatus::rejected}},
        [&](const std::string& status) { return read(status, R"("LOAN")")->status(); });
    testing::expectEachSpellingRead<AccountType>(
        {{"SAVINGS", AccountType::savings},
         {"CHECKING", AccountType::checking},
         {"LOAN", AccountType::loan}},
        [&](const std::string& type) {
            return read(R"("VERIFIED")", type)->as<model::UsBankAccount>()->accountType();
        });
}

}  // namespace
}  // namespace corvend
