#include "CorvendWallet/core/models/PaymentOptionDetailsResponse.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "CorvendWallet/core/models/CardPaymentOptionSettings.hpp"
#include "CorvendWallet/networking/SharedCoders.hpp"

namespace corvend::WithdrawalServiceEndpoint {
namespace {

using model::CardScheme;
using model::InstrumentType;
using model::PaymentOptionType;
using Reply = std::vector<PaymentOptionDetailsResponse>;

Reply decode(const char* json) {
    return sharedResponseDecoder().decode<Reply>(json);
}

// The card settings `details` carries, or null when it has none or another kind.
const model::CardPaymentOptionSettings* cardSettings(const model::PaymentOptionDetails& details) {
    return dynamic_cast<const model::CardPaymentOptionSettings*>(
        details.paymentOptionSettings.get());
}

TEST(PaymentOptionDetailsResponseTest, DecodesTheBareArray) {
    struct Row {
        const char* json;
        Reply expected;
    };
    const Row rows[] = {
        {"[]", {}},
        {R"([{}])", {{}}},
        {R"([{"paymentOption":null}])", {{}}},
        {R"([{"paymentOption":"CRYPTO_WALLET","instrumentTypes":[]}])",
         {{std::vector<std::string>{}, "CRYPTO_WALLET", std::nullopt}}},
        {R"([{"instrumentTypes":["CARD","card"],"paymentOption":"CARD",)"
         R"("paymentOptionSettings":{"paymentOption":"CARD","cardSchemes":["VISA","AMEX"]}},)"
         R"({"paymentOption":"BANK_TRANSFER","paymentOptionSettings":{"paymentOption":"X"}}])",
         {{std::vector<std::string>{"CARD", "card"}, "CARD",
           PaymentOptionSettingsModel{"CARD", std::vector<std::string>{"VISA", "AMEX"}}},
          {std::nullopt, "BANK_TRANSFER", PaymentOptionSettingsModel{"X", std::nullopt}}}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(decode(row.json), row.expected) << row.json;
    }
}

TEST(PaymentOptionDetailsResponseTest, SettingsWithoutTheirOptionFailTheWholeReply) {
    for (
        const char* json : {
            R"([{"paymentOption":"CARD"},{"paymentOption":"CARD","paymentOptionSettings":{"cardSchemes":["VISA"]}}])",
            R"([{"paymentOptionSettings":{"paymentOption":null}}])",
            R"([{"instrumentTypes":"CARD"}])",
            R"([{"instrumentTypes":[null]}])",
            R"([{"paymentOptionSettings":{"paymentOption":"CARD","cardSchemes":"VISA"}}])",
            R"({"paymentOption":"CARD"})",
        }) {
        EXPECT_THROW(decode(json), platform::DecodingError) << json;
    }
}

TEST(PaymentOptionDetailsResponseTest, OnlyCardSettingsSurvive) {
    struct Row {
        const char* name;
        PaymentOptionSettingsModel wire;
        bool hasSettings;
        std::vector<CardScheme> schemes;
    };
    const Row rows[] = {
        {"schemes in order, unknown and duplicates kept",
         {"CARD", std::vector<std::string>{"VISA", "DISCOVER", "MC", "VISA"}},
         true,
         {CardScheme::visa, CardScheme::unknown, CardScheme::mastercard, CardScheme::visa}},
        {"no scheme list", {"CARD", std::nullopt}, true, {}},
        {"empty scheme list", {"CARD", std::vector<std::string>{}}, true, {}},
        {"another option with schemes",
         {"BANK_TRANSFER", std::vector<std::string>{"VISA"}},
         false,
         {}},
        {"lower-case card", {"card", std::nullopt}, false, {}},
        {"empty option", {"", std::nullopt}, false, {}},
    };
    for (const Row& row : rows) {
        const auto settings = toPaymentOptionSettings(row.wire);
        ASSERT_EQ(settings != nullptr, row.hasSettings) << row.name;
        if (!settings) continue;
        EXPECT_EQ(settings->paymentOption(), PaymentOptionType::card) << row.name;
        EXPECT_TRUE(settings->equals(
            model::CardPaymentOptionSettings(PaymentOptionType::card, row.schemes)))
            << row.name;
    }
}

TEST(PaymentOptionDetailsResponseTest, MapsEveryEntryInOrder) {
    const auto options = toPaymentOptionDetailsList(decode(
        R"([{"instrumentTypes":["SEPA_BANK_ACCOUNT","UNKNOWN","CARD"],"paymentOption":"CARD",)"
        R"("paymentOptionSettings":{"paymentOption":"CARD"}},)"
        R"({"paymentOption":"OFFLINE_BANK_TRANSFER","paymentOptionSettings":{"paymentOption":"OFFLINE_BANK_TRANSFER"}},)"
        R"({"instrumentTypes":[]}])"));
    ASSERT_EQ(options.size(), 3u);

    EXPECT_EQ(options[0].instrumentTypes,
              (std::vector{InstrumentType::sepaBankAccount, InstrumentType::unknown,
                           InstrumentType::card}));
    EXPECT_EQ(options[0].paymentOption, PaymentOptionType::card);
    ASSERT_NE(cardSettings(options[0]), nullptr);
    EXPECT_TRUE(cardSettings(options[0])->cardSchemes().empty());

    EXPECT_EQ(options[1].instrumentTypes, std::nullopt);
    EXPECT_EQ(options[1].paymentOption, PaymentOptionType::offlineBankTransfer);
    EXPECT_EQ(options[1].paymentOptionSettings, nullptr);

    // An absent option reads as `unknown`, never as absent; an empty list stays empty.
    EXPECT_EQ(options[2].instrumentTypes, std::vector<InstrumentType>{});
    EXPECT_EQ(options[2].paymentOption, PaymentOptionType::unknown);
    EXPECT_EQ(options[2].paymentOptionSettings, nullptr);
}

}  // namespace
}  // namespace corvend::WithdrawalServiceEndpoint
