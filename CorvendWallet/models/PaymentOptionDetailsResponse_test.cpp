#include "CorvendWallet/models/PaymentOptionDetailsResponse.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "CorvendWallet/models/CardPaymentOptionSettings.hpp"
#include "tests/support/WireCoding.hpp"

namespace corvend {
namespace {

using model::CardScheme;
using model::InstrumentType;
using model::PaymentOptionType;
using testing::decodedReply;
using Reply = std::vector<PaymentOptionDetailsResponse>;

TEST(PaymentOptionDetailsResponseTest, ReadsABareArrayWhoseSettingsNeedTheirOption) {
    EXPECT_EQ(decodedReply<Reply>("[]"), Reply{});
    EXPECT_EQ(decodedReply<Reply>(R"([{"paymentOption":null}])"), Reply{{}});
    EXPECT_EQ(decodedReply<Reply>(R"([{"paymentOption":"CRYPTO_WALLET","instrumentTypes":[],)"
                                  R"("paymentOptionSettings":{"paymentOption":"X"}}])"),
              (Reply{{std::vector<std::string>{}, "CRYPTO_WALLET",
                      PaymentOptionSettingsModel{"X", std::nullopt}}}));
    for (const char* json : {
             R"([{"paymentOption":"CARD"},)"
             R"({"paymentOption":"CARD","paymentOptionSettings":{"cardSchemes":["VISA"]}}])",
             R"([{"instrumentTypes":"CARD"}])",
             R"({"paymentOption":"CARD"})",
         }) {
        EXPECT_TRUE(testing::decodingFailure<Reply>(json)) << json;
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
        {"another option with schemes",
         {"BANK_TRANSFER", std::vector<std::string>{"VISA"}},
         false,
         {}},
        {"lower-case card", {"card", std::nullopt}, false, {}},
    };
    for (const Row& row : rows) {
        const auto settings = toPaymentOptionSettings(row.wire);
        ASSERT_EQ(settings != nullptr, row.hasSettings) << row.name;
        if (!settings) continue;
        EXPECT_TRUE(settings->equals(
            model::CardPaymentOptionSettings(PaymentOptionType::card, row.schemes)))
            << row.name;
    }
}

TEST(PaymentOptionDetailsResponseTest, MapsEveryEntryInOrder) {
    const auto options = toPaymentOptionDetailsList(decodedReply<Reply>(
        R"([{"instrumentTypes":["SEPA_BANK_ACCOUNT","UNKNOWN"],"paymentOption":"CARD",)"
        R"("paymentOptionSettings":{"paymentOption":"CARD"}},{"instrumentTypes":[]}])"));
    ASSERT_EQ(options.size(), 2u);
    EXPECT_EQ(options[0].instrumentTypes,
              (std::vector{InstrumentType::sepaBankAccount, InstrumentType::unknown}));
    EXPECT_EQ(options[0].paymentOption, PaymentOptionType::card);
    EXPECT_NE(options[0].paymentOptionSettings, nullptr);
    // An absent option reads as `unknown`, never as absent; an empty list stays empty.
    EXPECT_EQ(options[1].instrumentTypes, std::vector<InstrumentType>{});
    EXPECT_EQ(options[1].paymentOption, PaymentOptionType::unknown);
    EXPECT_EQ(options[1].paymentOptionSettings, nullptr);
}

}  // namespace
}  // namespace corvend
