#include "CorvendWallet/services/cards/PaymentInstrumentModel.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "CorvendWallet/networking/SharedCoders.hpp"
#include "CorvendWallet/services/cards/SepaBankAccount.hpp"
#include "CorvendWallet/services/cards/UkBankAccount.hpp"
#include "CorvendWallet/services/cards/UsBankAccount.hpp"

namespace corvend {
namespace {

using model::CardScheme;
using model::InstrumentType;
using model::PaymentInstrumentStatus;
using AccountType = model::UsBankAccount::AccountType;

PaymentInstrumentModel decode(const std::string& json) {
    return sharedResponseDecoder().decode<PaymentInstrumentModel>(json);
}

std::string encode(const PaymentInstrumentModel& instrument) {
    return std::string(sharedRequestEncoder().encode(instrument).view());
}

// 2023-03-14T09:26:53.589Z, and the same instant as seconds since 2001-01-01.
platform::Date savedAt() {
    using namespace std::chrono;
    return platform::Date(sys_days{2023y / March / 14} + 9h + 26min + 53s + 589ms);
}
constexpr const char* kSavedAtText = "2023-03-14T09:26:53.589Z";
constexpr const char* kSavedAtSeconds = "700478813.589";

// A reply entry with every key of the card, SEPA, UK and US kinds, of type `type`.
PaymentInstrumentModel everyKey(std::string type) {
    return {"i-1",
            "c-1",
            std::move(type),
            "REJECTED",
            "Holder",
            "DE89",
            "COBA",
            "Bank",
            "111",
            "222",
            "CHECKING",
            "33-44",
            "k",
            18,
            "FULL",
            "DE",
            "Ann",
            "4111",
            PaymentInstrumentModel::ExpiryDate{2030, 4},
            savedAt(),
            "MC",
            "desc"};
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
    // A creation time without a fraction reads too.
    EXPECT_EQ(
        decode(R"({"instrumentType":"CARD","creationTime":"2023-03-14T09:26:53Z"})").creationTime,
        platform::Date(savedAt().timePoint() - std::chrono::milliseconds(589)));
}

TEST(PaymentInstrumentModelTest, MalformedEntriesFailTheWholeReply) {
    const char* entries[] = {
        R"({"id":"i-1"})",
        R"({"instrumentType":null})",
        R"({"instrumentType":"CARD","expiryDate":{"year":2030}})",
        R"({"instrumentType":"CARD","expiryDate":{"year":2030,"month":"04"}})",
        R"({"instrumentType":"CARD","ageRestriction":"18"})",
        R"({"instrumentType":"CARD","creationTime":"2023-03-14"})",
        R"({"instrumentType":"CARD","creationTime":700478813})",
        R"({"instrumentType":"CARD","id":7})",
    };
    for (const char* entry : entries) {
        EXPECT_THROW(decode(entry), platform::DecodingError) << entry;
        const std::string list = std::string(R"([{"instrumentType":"CARD"},)") + entry + "]";
        EXPECT_THROW(sharedResponseDecoder().decode<std::vector<PaymentInstrumentModel>>(list),
                     platform::DecodingError)
            << list;
    }
}

TEST(PaymentInstrumentModelTest, EncodesPresentFieldsInDeclaredOrder) {
    EXPECT_EQ(encode({.instrumentType = "CARD"}), R"({"instrumentType":"CARD"})");
    EXPECT_EQ(encode({.id = "i-1",
                      .instrumentType = "CARD",
                      .status = "",
                      .ageRestriction = 18,
                      .pan = "4111",
                      .expiryDate = PaymentInstrumentModel::ExpiryDate{2030, 4},
                      .creationTime = savedAt()}),
              std::string(R"({"id":"i-1","instrumentType":"CARD","status":"","ageRestriction":18,)"
                          R"("pan":"4111","expiryDate":{"year":2030,"month":4},"creationTime":)") +
                  kSavedAtSeconds + "}");
}

TEST(PaymentInstrumentModelTest, MapsEachKindFromItsOwnKeys) {
    const auto card = toPaymentInstrument(everyKey("CARD"));
    ASSERT_NE(card, nullptr);
    EXPECT_TRUE(card->equals(model::CardPaymentInstrument({"i-1",
                                                           "c-1",
                                                           InstrumentType::card,
                                                           PaymentInstrumentStatus::rejected,
                                                           "4111",
                                                           "Ann",
                                                           "Bank",
                                                           {2030, 4},
                                                           savedAt(),
                                                           CardScheme::mastercard,
                                                           "desc"})));

    const auto sepa = toPaymentInstrument(everyKey("SEPA_BANK_ACCOUNT"));
    ASSERT_NE(sepa, nullptr);
    EXPECT_TRUE(sepa->equals(model::SepaBankAccount({"i-1", "c-1", InstrumentType::sepaBankAccount,
                                                     PaymentInstrumentStatus::rejected, "Holder",
                                                     "DE89", "COBA", "Bank", savedAt()})));

    const auto uk = toPaymentInstrument(everyKey("UK_BANK_ACCOUNT"));
    ASSERT_NE(uk, nullptr);
    EXPECT_TRUE(uk->equals(model::UkBankAccount({"i-1", "c-1", InstrumentType::ukBankAccount,
                                                 PaymentInstrumentStatus::rejected, "Holder", "111",
                                                 "33-44", "Bank", savedAt()})));

    const auto us = toPaymentInstrument(everyKey("US_BANK_ACCOUNT"));
    ASSERT_NE(us, nullptr);
    EXPECT_TRUE(us->equals(model::UsBankAccount(
        {"i-1", "c-1", InstrumentType::usBankAccount, PaymentInstrumentStatus::rejected, "Holder",
         "111", "222", "Bank", AccountType::checking, savedAt()})));
}

TEST(PaymentInstrumentModelTest, EntriesThatDescribeNoInstrument) {
    using Key = std::optional<std::string> PaymentInstrumentModel::*;
    struct Row {
        const char* type;
        Key missing;  // left out of an entry that has every other key
    };
    const Row rows[] = {
        {"CARD", &PaymentInstrumentModel::id},
        {"CARD", &PaymentInstrumentModel::customerId},
        {"CARD", &PaymentInstrumentModel::pan},
        {"SEPA_BANK_ACCOUNT", &PaymentInstrumentModel::customerId},
        {"SEPA_BANK_ACCOUNT", &PaymentInstrumentModel::iban},
        {"SEPA_BANK_ACCOUNT", &PaymentInstrumentModel::bic},
        {"UK_BANK_ACCOUNT", &PaymentInstrumentModel::accountNumber},
        {"UK_BANK_ACCOUNT", &PaymentInstrumentModel::sortCode},
        {"US_BANK_ACCOUNT", &PaymentInstrumentModel::accountNumber},
        {"US_BANK_ACCOUNT", &PaymentInstrumentModel::routingNumber},
        {"US_BANK_ACCOUNT", &PaymentInstrumentModel::id},
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
    for (const char* type : {"card", "UNKNOWN", "", "CARD ", "SEPA"}) {
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

TEST(PaymentInstrumentModelTest, AbsentOrUnlistedValuesMapToUnknown) {
    struct Row {
        std::optional<std::string> text;
        PaymentInstrumentStatus status;
        AccountType accountType;
        CardScheme scheme;
    };
    const Row rows[] = {
        {std::nullopt, PaymentInstrumentStatus::unknown, AccountType::unknown, CardScheme::unknown},
        {"PENDING", PaymentInstrumentStatus::unknown, AccountType::unknown, CardScheme::unknown},
        {"verified", PaymentInstrumentStatus::unknown, AccountType::unknown, CardScheme::unknown},
        {"VERIFIED", PaymentInstrumentStatus::verified, AccountType::unknown, CardScheme::unknown},
        {"UNVERIFIED", PaymentInstrumentStatus::unverified, AccountType::unknown,
         CardScheme::unknown},
        {"SAVINGS", PaymentInstrumentStatus::unknown, AccountType::savings, CardScheme::unknown},
        {"LOAN", PaymentInstrumentStatus::unknown, AccountType::loan, CardScheme::unknown},
        {"VISA", PaymentInstrumentStatus::unknown, AccountType::unknown, CardScheme::visa},
    };
    for (const Row& row : rows) {
        PaymentInstrumentModel entry = everyKey("US_BANK_ACCOUNT");
        entry.status = entry.accountType = entry.cardScheme = row.text;
        const auto us = toPaymentInstrument(entry);
        ASSERT_NE(us, nullptr);
        EXPECT_EQ(us->status(), row.status) << row.text.value_or("<absent>");
        EXPECT_EQ(us->as<model::UsBankAccount>()->accountType(), row.accountType);

        entry.instrumentType = "CARD";
        const auto card = toPaymentInstrument(entry);
        ASSERT_NE(card, nullptr);
        EXPECT_EQ(card->as<model::CardPaymentInstrument>()->cardScheme(), row.scheme);
    }
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
         std::make_shared<const model::CardPaymentInstrument>(
             model::CardPaymentInstrument::Fields{"i-1",
                                                  "c-1",
                                                  InstrumentType::card,
                                                  PaymentInstrumentStatus::verified,
                                                  "4111",
                                                  "Ann",
                                                  "Bank",
                                                  {2030, 4},
                                                  savedAt(),
                                                  CardScheme::visa,
                                                  "desc"}),
         R"({"id":"i-1","customerId":"c-1","instrumentType":"CARD","status":"VERIFIED",)"
         R"("bankName":"Bank","cardHolderName":"Ann","pan":"4111",)"
         R"("expiryDate":{"year":2030,"month":4})" +
             saved + R"(,"description":"desc"})"},
        {"host card: absent fields left out",
         std::make_shared<const model::CardPaymentInstrument>(
             std::nullopt, std::nullopt, std::nullopt, "4111", std::nullopt, std::nullopt,
             model::CardExpiryDate{2030, 4}, std::nullopt),
         R"({"instrumentType":"CARD","pan":"4111","expiryDate":{"year":2030,"month":4}})"},
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
        {"US with savings",
         std::make_shared<const model::UsBankAccount>(std::nullopt, std::nullopt, std::nullopt,
                                                      std::nullopt, "111", "222", std::nullopt,
                                                      AccountType::savings),
         R"({"instrumentType":"US_BANK_ACCOUNT","accountNumber":"111","routingNumber":"222",)"
         R"("accountType":"SAVINGS"})"},
    };
    for (const Row& row : rows) {
        const auto wire = toPaymentInstrumentModel(*row.instrument);
        ASSERT_TRUE(wire) << row.name;
        EXPECT_EQ(encode(*wire), row.expected) << row.name;
    }
}

TEST(PaymentInstrumentModelTest, ValuesThatDoNotFlatten) {
    model::SepaBankAccount::Fields reportsCard;
    reportsCard.instrumentType = InstrumentType::card;
    EXPECT_EQ(toPaymentInstrumentModel(model::SepaBankAccount(reportsCard)), std::nullopt);

    model::CardPaymentInstrument::Fields unknownCard;
    unknownCard.instrumentType = InstrumentType::unknown;
    EXPECT_EQ(toPaymentInstrumentModel(model::CardPaymentInstrument(unknownCard)), std::nullopt);

    // A structure whose type names another bank-account structure does not flatten either.
    model::UkBankAccount::Fields reportsUs;
    reportsUs.instrumentType = InstrumentType::usBankAccount;
    EXPECT_EQ(toPaymentInstrumentModel(model::UkBankAccount(reportsUs)), std::nullopt);
}

TEST(PaymentInstrumentModelTest, MappingAndFlatteningLosesOnlyWhatIsNeverMapped) {
    struct Row {
        const char* type;
        std::optional<std::string> PaymentInstrumentModel::*dropped;  // absent reads as ""
        PaymentInstrumentModel expected;
    };
    const Row rows[] = {
        {"CARD",
         &PaymentInstrumentModel::status,
         {.id = "i-1",
          .customerId = "c-1",
          .instrumentType = "CARD",
          .status = "",
          .bankName = "Bank",
          .cardHolderName = "Ann",
          .pan = "4111",
          .expiryDate = PaymentInstrumentModel::ExpiryDate{2030, 4},
          .creationTime = savedAt(),
          .description = "desc"}},
        {"US_BANK_ACCOUNT",
         &PaymentInstrumentModel::accountType,
         {.id = "i-1",
          .customerId = "c-1",
          .instrumentType = "US_BANK_ACCOUNT",
          .status = "REJECTED",
          .accountHolderName = "Holder",
          .bankName = "Bank",
          .accountNumber = "111",
          .routingNumber = "222",
          .accountType = "",
          .creationTime = savedAt()}},
    };
    for (const Row& row : rows) {
        PaymentInstrumentModel entry = everyKey(row.type);
        (entry.*row.dropped).reset();
        EXPECT_EQ(toPaymentInstrumentModel(*toPaymentInstrument(entry)), row.expected) << row.type;
    }
}

}  // namespace
}  // namespace corvend
