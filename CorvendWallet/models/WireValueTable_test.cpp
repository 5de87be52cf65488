#include "CorvendWallet/models/WireValueTable.hpp"

#include <gtest/gtest.h>

#include "CorvendWallet/models/CardScheme.hpp"
#include "CorvendWallet/models/InstrumentType.hpp"
#include "CorvendWallet/models/PaymentOptionType.hpp"
#include "CorvendWallet/models/PaymentPropertyKey.hpp"
#include "CorvendWallet/models/PaymentStatus.hpp"
#include "CorvendWallet/models/SimpleFeePayment.hpp"
#include "CorvendWallet/models/TransferDetails.hpp"
#include "tests/support/WireCoding.hpp"

namespace corvend::model {
namespace {

using testing::expectWireVocabulary;

TEST(WireValueTableTest, ReadsWholeTextsExactlyAndFallsBackForEverythingElse) {
    enum class Color { red, blue, unknown };
    constexpr auto table =
        wireValueTable(Color::unknown, "UNKNOWN", {{Color::red, "BANK"}, {Color::blue, "BANK_X"}});
    static_assert(table.read("BANK_X") == Color::blue);
    static_assert(table.read("BANK") == Color::red);
    static_assert(table.read("BAN") == Color::unknown);
    static_assert(table.read("BANK ") == Color::unknown);
    static_assert(table.read("bank") == Color::unknown);
    static_assert(table.read(std::nullopt) == Color::unknown);
    static_assert(table.write(Color::blue) == "BANK_X");
    static_assert(table.write(Color::unknown) == "UNKNOWN");
}

TEST(WireValueTableTest, SharedVocabulariesUseTheServicesStrings) {
    expectWireVocabulary<PaymentStatus>({"PREVIEW", "PENDING", "PROCESSING", "COMPLETED", "FAILED",
                                         "CANCELLED", "REFUNDED", "REDIRECTION"},
                                        "UNKNOWN");
    expectWireVocabulary<PaymentOptionType>(
        {"VELNO_TRANSFER", "BANK_TRANSFER", "CARD", "OFFLINE_BANK_TRANSFER"}, "UNKNOWN");
    expectWireVocabulary<InstrumentType>(
        {"SEPA_BANK_ACCOUNT", "UK_BANK_ACCOUNT", "US_BANK_ACCOUNT", "CARD"}, "UNKNOWN");
    expectWireVocabulary<CardScheme>({"MC", "VISA"}, "UNKNOWN");
    expectWireVocabulary<PaymentPropertyKey>({"CARD_CVV", "CARD_SAVE_INSTRUMENT"}, "UNKNOWN");
    expectWireVocabulary<SimpleFeePayment::FeePaymentReason>(
        {"MERCHANT_FEE", "CORVEND_FEE", "ATM_FEE", "FX_FEE", "OTHER_FEE"}, "UNKNOWN");
    // "CANCELATION" with one L, as the service spells it.
    expectWireVocabulary<TransferDetails::Reason>(
        {"INITIAL_BALANCE_MIGRATION", "CRYPTO_BUY", "CRYPTO_SELL", "TRADING_PAIR", "DEPOSIT",
         "WITHDRAWAL", "MERCHANT_FEE", "REFUND", "CANCELATION", "BONUS", "CURRENCY_EXCHANGE",
         "PURCHASE", "PAYOUT", "PEER_TRANSFER", "OTHER"},
        "UNKNOWN");
}

}  // namespace
}  // namespace corvend::model
