#include "CorvendWallet/core/models/WireValueTable.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CorvendWallet/core/models/CardScheme.hpp"
#include "CorvendWallet/core/models/InstrumentType.hpp"
#include "CorvendWallet/core/models/PaymentOptionType.hpp"
#include "CorvendWallet/core/models/PaymentPropertyKey.hpp"
#include "CorvendWallet/core/models/PaymentStatus.hpp"
#include "CorvendWallet/core/models/SimpleFeePayment.hpp"
#include "CorvendWallet/core/models/TransferDetails.hpp"

namespace corvend::model {
namespace {

template <class E>
struct ReadRow {
    std::optional<std::string_view> text;
    E expected;
};

template <class E>
void expectReads(const std::vector<ReadRow<E>>& rows) {
    for (const auto& row : rows) {
        EXPECT_EQ(fromWire<E>(row.text), row.expected)
            << (row.text ? "\"" + std::string(*row.text) + "\"" : std::string("<absent>"));
    }
}

template <class E>
void expectWrites(const std::vector<std::pair<E, std::string_view>>& rows) {
    for (const auto& [value, wire] : rows) {
        EXPECT_EQ(toWireValue(value), wire) << static_cast<int>(value);
    }
}

TEST(WireValueTableTest, ReadsExactlyAndFallsBackForEverythingElse) {
    enum class Color { red, blue, unknown };
    constexpr auto table =
        wireValueTable(Color::unknown, "UNKNOWN", {{Color::red, "RED"}, {Color::blue, "BLUE"}});
    static_assert(table.read("RED") == Color::red);
    static_assert(table.read("BLUE") == Color::blue);
    static_assert(table.read(std::nullopt) == Color::unknown);
    static_assert(table.read("red") == Color::unknown);
    static_assert(table.read("RED ") == Color::unknown);
    static_assert(table.read("") == Color::unknown);
    static_assert(table.write(Color::blue) == "BLUE");
    static_assert(table.write(Color::unknown) == "UNKNOWN");
    // A string that is a prefix of another must not match it.
    constexpr auto prefixes =
        wireValueTable(Color::unknown, "", {{Color::red, "BANK"}, {Color::blue, "BANK_X"}});
    static_assert(prefixes.read("BANK_X") == Color::blue);
    static_assert(prefixes.read("BANK") == Color::red);
    static_assert(prefixes.read("BAN") == Color::unknown);
}

TEST(WireValueTableTest, PaymentStatus) {
    expectReads<PaymentStatus>({{"PREVIEW", PaymentStatus::preview},
                                {"PENDING", PaymentStatus::pending},
                                {"PROCESSING", PaymentStatus::processing},
                                {"COMPLETED", PaymentStatus::completed},
                                {"FAILED", PaymentStatus::failed},
                                {"CANCELLED", PaymentStatus::cancelled},
                                {"REFUNDED", PaymentStatus::refunded},
                                {"REDIRECTION", PaymentStatus::redirection},
                                {"pending", PaymentStatus::unknown},
                                {"CANCELED", PaymentStatus::unknown},
                                {"UNKNOWN", PaymentStatus::unknown},
                                {"", PaymentStatus::unknown},
                                {std::nullopt, PaymentStatus::unknown}});
    expectWrites<PaymentStatus>(
        {{PaymentStatus::pending, "PENDING"}, {PaymentStatus::processing, "PROCESSING"}});
}

TEST(WireValueTableTest, PaymentOptionType) {
    expectReads<PaymentOptionType>(
        {{"VELNO_TRANSFER", PaymentOptionType::velnoTransfer},
         {"BANK_TRANSFER", PaymentOptionType::bankTransfer},
         {"CARD", PaymentOptionType::card},
         {"OFFLINE_BANK_TRANSFER", PaymentOptionType::offlineBankTransfer},
         {"card", PaymentOptionType::unknown},
         {"OFFLINE_BANK", PaymentOptionType::unknown},
         {"UNKNOWN", PaymentOptionType::unknown},
         {"", PaymentOptionType::unknown},
         {std::nullopt, PaymentOptionType::unknown}});
    expectWrites<PaymentOptionType>(
        {{PaymentOptionType::velnoTransfer, "VELNO_TRANSFER"},
         {PaymentOptionType::bankTransfer, "BANK_TRANSFER"},
         {PaymentOptionType::card, "CARD"},
         {PaymentOptionType::offlineBankTransfer, "OFFLINE_BANK_TRANSFER"},
         {PaymentOptionType::unknown, "UNKNOWN"}});
}

TEST(WireValueTableTest, InstrumentType) {
    expectReads<InstrumentType>({{"SEPA_BANK_ACCOUNT", InstrumentType::sepaBankAccount},
                                 {"UK_BANK_ACCOUNT", InstrumentType::ukBankAccount},
                                 {"US_BANK_ACCOUNT", InstrumentType::usBankAccount},
                                 {"CARD", InstrumentType::card},
                                 {"card", InstrumentType::unknown},
                                 {"UNKNOWN", InstrumentType::unknown},
                                 {"", InstrumentType::unknown}});
    expectWrites<InstrumentType>({{InstrumentType::sepaBankAccount, "SEPA_BANK_ACCOUNT"},
                                  {InstrumentType::ukBankAccount, "UK_BANK_ACCOUNT"},
                                  {InstrumentType::usBankAccount, "US_BANK_ACCOUNT"},
                                  {InstrumentType::card, "CARD"},
                                  {InstrumentType::unknown, "UNKNOWN"}});
}

TEST(WireValueTableTest, CardScheme) {
    expectReads<CardScheme>({{"MC", CardScheme::mastercard},
                             {"VISA", CardScheme::visa},
                             {"MASTERCARD", CardScheme::unknown},
                             {"visa", CardScheme::unknown},
                             {std::nullopt, CardScheme::unknown}});
}

TEST(WireValueTableTest, PaymentPropertyKey) {
    expectReads<PaymentPropertyKey>(
        {{"CARD_CVV", PaymentPropertyKey::cardCVV},
         {"CARD_SAVE_INSTRUMENT", PaymentPropertyKey::cardSaveInstrument},
         {"card_cvv", PaymentPropertyKey::unknown},
         {std::nullopt, PaymentPropertyKey::unknown}});
    expectWrites<PaymentPropertyKey>(
        {{PaymentPropertyKey::cardCVV, "CARD_CVV"},
         {PaymentPropertyKey::cardSaveInstrument, "CARD_SAVE_INSTRUMENT"},
         {PaymentPropertyKey::unknown, "UNKNOWN"}});
}

TEST(WireValueTableTest, FeePaymentReason) {
    using Reason = SimpleFeePayment::FeePaymentReason;
    expectReads<Reason>({{"MERCHANT_FEE", Reason::merchantFee},
                         {"CORVEND_FEE", Reason::corvendFee},
                         {"ATM_FEE", Reason::atmFee},
                         {"FX_FEE", Reason::fxFee},
                         {"OTHER_FEE", Reason::otherFee},
                         {"corvend_fee", Reason::unknown},
                         {std::nullopt, Reason::unknown}});
}

TEST(WireValueTableTest, TransferReasonKeepsTheServicesSpelling) {
    using Reason = TransferDetails::Reason;
    // Every case but `unknown` has a string of its own that reads back as that case.
    std::vector<std::string_view> seen;
    for (int i = 0; i < static_cast<int>(Reason::unknown); ++i) {
        const auto reason = static_cast<Reason>(i);
        const std::string_view wire = toWireValue(reason);
        EXPECT_NE(wire, "UNKNOWN") << i;
        EXPECT_EQ(fromWire<Reason>(wire), reason) << wire;
        EXPECT_EQ(std::ranges::count(seen, wire), 0) << wire;
        seen.push_back(wire);
    }
    expectWrites<Reason>({{Reason::cancelation, "CANCELATION"},
                          {Reason::initialBalanceMigration, "INITIAL_BALANCE_MIGRATION"},
                          {Reason::peerTransfer, "PEER_TRANSFER"},
                          {Reason::currencyExchange, "CURRENCY_EXCHANGE"},
                          {Reason::unknown, "UNKNOWN"}});
    expectReads<Reason>({{"CANCELLATION", Reason::unknown},
                         {"UNKNOWN", Reason::unknown},
                         {"other", Reason::unknown},
                         {std::nullopt, Reason::unknown}});
}

}  // namespace
}  // namespace corvend::model
