#include "CorvendWallet/services/cards/PaymentInstrument.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <vector>

#include "CorvendWallet/services/cards/CardPaymentInstrument.hpp"
#include "CorvendWallet/services/cards/SepaBankAccount.hpp"
#include "CorvendWallet/services/cards/UkBankAccount.hpp"
#include "CorvendWallet/services/cards/UsBankAccount.hpp"

namespace corvend::model {
namespace {

CardPaymentInstrument hostCard() {
    return CardPaymentInstrument("i-1", "c-1", PaymentInstrumentStatus::verified,
                                 "4111********1111", "Ann Lee", "Bank", {2030, 4}, "travel");
}

TEST(PaymentInstrumentTest, PublicInitialisersSetTheTypeAndLeaveServiceFieldsOut) {
    const CardPaymentInstrument card = hostCard();
    EXPECT_EQ(card.instrumentType(), InstrumentType::card);
    EXPECT_EQ(card.creationTime(), std::nullopt);
    EXPECT_EQ(card.cardScheme(), std::nullopt);
    EXPECT_EQ(card.pan(), "4111********1111");
    EXPECT_EQ(card.expiryDate(), (CardExpiryDate{2030, 4}));

    const SepaBankAccount sepa(std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                               "DE89370400440532013000", "COBADEFFXXX", std::nullopt);
    EXPECT_EQ(sepa.instrumentType(), InstrumentType::sepaBankAccount);
    EXPECT_EQ(sepa.creationTime(), std::nullopt);
    EXPECT_EQ(sepa.id(), std::nullopt);
    EXPECT_EQ(sepa.status(), std::nullopt);

    EXPECT_EQ(UkBankAccount(std::nullopt, std::nullopt, std::nullopt, std::nullopt, "1", "2",
                            std::nullopt)
                  .instrumentType(),
              InstrumentType::ukBankAccount);
    EXPECT_EQ(UsBankAccount(std::nullopt, std::nullopt, std::nullopt, std::nullopt, "1", "2",
                            std::nullopt, std::nullopt)
                  .instrumentType(),
              InstrumentType::usBankAccount);
}

TEST(PaymentInstrumentTest, EqualityCoversEveryField) {
    CardPaymentInstrument::Fields fields = hostCard().fields();
    const CardPaymentInstrument card(fields);
    EXPECT_EQ(card, hostCard());
    EXPECT_TRUE(card.equals(hostCard()));

    auto changed = [&](auto change) {
        CardPaymentInstrument::Fields copy = fields;
        change(copy);
        return CardPaymentInstrument(copy);
    };
    const CardPaymentInstrument others[] = {
        changed([](auto& f) { f.creationTime = platform::Date::referenceDate(); }),
        changed([](auto& f) { f.status = PaymentInstrumentStatus::unknown; }),
        changed([](auto& f) { f.status.reset(); }),
        changed([](auto& f) { f.cardScheme = CardScheme::unknown; }),
        changed([](auto& f) { f.expiryDate.month = 5; }),
        changed([](auto& f) { f.instrumentType = InstrumentType::unknown; }),
        changed([](auto& f) { f.description.reset(); }),
    };
    for (const CardPaymentInstrument& other : others) {
        EXPECT_NE(card, other);
        EXPECT_FALSE(card.equals(other));
    }

    // Creation times a microsecond apart differ.
    CardPaymentInstrument::Fields early = fields;
    early.creationTime = platform::Date::referenceDate();
    CardPaymentInstrument::Fields late = early;
    late.creationTime =
        platform::Date(late.creationTime->timePoint() + std::chrono::microseconds(1));
    EXPECT_NE(CardPaymentInstrument(early), CardPaymentInstrument(late));
}

TEST(PaymentInstrumentTest, AMixedListTellsKindsApart) {
    const std::vector<std::shared_ptr<const PaymentInstrument>> list = {
        std::make_shared<const CardPaymentInstrument>(hostCard()),
        std::make_shared<const UkBankAccount>("i-2", "c-1", PaymentInstrumentStatus::unverified,
                                              "Ann Lee", "12345678", "12-34-56", std::nullopt),
    };
    EXPECT_EQ(list[0]->instrumentType(), InstrumentType::card);
    EXPECT_EQ(list[1]->instrumentType(), InstrumentType::ukBankAccount);
    EXPECT_EQ(list[1]->id(), "i-2");
    EXPECT_EQ(list[1]->status(), PaymentInstrumentStatus::unverified);

    ASSERT_NE(list[0]->as<CardPaymentInstrument>(), nullptr);
    EXPECT_EQ(list[0]->as<CardPaymentInstrument>()->cardHolderName(), "Ann Lee");
    EXPECT_EQ(list[0]->as<UkBankAccount>(), nullptr);
    ASSERT_NE(list[1]->as<UkBankAccount>(), nullptr);
    EXPECT_EQ(list[1]->as<UkBankAccount>()->sortCode(), "12-34-56");
    EXPECT_EQ(list[1]->as<CardPaymentInstrument>(), nullptr);

    EXPECT_FALSE(list[0]->equals(*list[1]));
    EXPECT_TRUE(list[0]->equals(hostCard()));
}

TEST(PaymentInstrumentTest, AStructureMayReportAnotherType) {
    // Conversion goes by the structure, not by what the value reports.
    SepaBankAccount::Fields fields;
    fields.instrumentType = InstrumentType::card;
    const std::shared_ptr<const PaymentInstrument> odd =
        std::make_shared<const SepaBankAccount>(fields);
    EXPECT_EQ(odd->instrumentType(), InstrumentType::card);
    EXPECT_EQ(odd->as<CardPaymentInstrument>(), nullptr);
    EXPECT_NE(odd->as<SepaBankAccount>(), nullptr);
}

}  // namespace
}  // namespace corvend::model
