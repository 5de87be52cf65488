#include "CorvendWallet/services/cards/PaymentInstrument.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "CorvendWallet/services/cards/CardPaymentInstrument.hpp"
#include "CorvendWallet/services/cards/SepaBankAccount.hpp"
#include "CorvendWallet/services/cards/UkBankAccount.hpp"
#include "CorvendWallet/services/cards/UsBankAccount.hpp"
#include "tests/support/WireCoding.hpp"

namespace corvend::model {
namespace {

CardPaymentInstrument hostCard() {
    return CardPaymentInstrument("i-1", "c-1", PaymentInstrumentStatus::verified,
                                 "4111********1111", "Ann Lee", "Bank", {2030, 4}, "travel");
}

TEST(PaymentInstrumentTest, AMixedListIsToldApartByStructureNotByReportedType) {
    SepaBankAccount::Fields reportsCard;
    reportsCard.instrumentType = InstrumentType::card;
    const std::vector<std::shared_ptr<const PaymentInstrument>> list = {
        std::make_shared<const CardPaymentInstrument>(hostCard()),
        std::make_shared<const UkBankAccount>("i-2", "c-1", PaymentInstrumentStatus::unverified,
                                              "Ann Lee", "12345678", "12-34-56", std::nullopt),
        std::make_shared<const SepaBankAccount>(reportsCard),
    };
    EXPECT_EQ(list[1]->instrumentType(), InstrumentType::ukBankAccount);
    EXPECT_EQ(list[1]->as<UkBankAccount>()->sortCode(), "12-34-56");
    EXPECT_EQ(list[1]->as<CardPaymentInstrument>(), nullptr);
    EXPECT_EQ(list[2]->instrumentType(), InstrumentType::card);
    EXPECT_EQ(list[2]->as<CardPaymentInstrument>(), nullptr);
    EXPECT_TRUE(list[0]->equals(hostCard()));
    EXPECT_FALSE(list[0]->equals(*list[1]));
}

TEST(PaymentInstrumentTest, VocabulariesUseTheServicesStrings) {
    testing::expectWireVocabulary<PaymentInstrumentStatus>({"VERIFIED", "UNVERIFIED", "REJECTED"},
                                                           "");
    testing::expectWireVocabulary<UsBankAccount::AccountType>({"SAVINGS", "CHECKING", "LOAN"}, "");
}

}  // namespace
}  // namespace corvend::model
