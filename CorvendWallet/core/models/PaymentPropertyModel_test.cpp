#include "CorvendWallet/core/models/PaymentPropertyModel.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CorvendWallet/networking/SharedCoders.hpp"

namespace corvend {
namespace {

using Key = model::PaymentPropertyKey;

std::string encode(const auto& value) {
    return std::string(sharedRequestEncoder().encode(value).view());
}

TEST(PaymentPropertyModelTest, WritesTheKeyByItsTable) {
    struct Row {
        model::PaymentProperty property;
        std::string expected;
    };
    const Row rows[] = {
        {{Key::cardCVV, "123"}, R"({"key":"CARD_CVV","value":"123"})"},
        {{Key::cardSaveInstrument, "true"}, R"({"key":"CARD_SAVE_INSTRUMENT","value":"true"})"},
        {{std::nullopt, "123"}, R"({"value":"123"})"},
        {{Key::unknown, std::nullopt}, R"({"key":"UNKNOWN"})"},
        {{std::nullopt, std::nullopt}, "{}"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(encode(toPaymentPropertyModel(row.property)), row.expected);
    }
}

TEST(PaymentPropertyModelTest, ReadsAMissingKeyAsUnknownNotAbsent) {
    struct Row {
        const char* json;
        model::PaymentProperty expected;
    };
    const Row rows[] = {
        {R"({"key":"CARD_CVV","value":"123"})", {Key::cardCVV, "123"}},
        {R"({"value":"123"})", {Key::unknown, "123"}},
        {R"({"key":null,"value":null})", {Key::unknown, std::nullopt}},
        {R"({"key":"card_cvv"})", {Key::unknown, std::nullopt}},
        {R"({"key":"UNKNOWN","value":""})", {Key::unknown, ""}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(toPaymentProperty(sharedResponseDecoder().decode<PaymentPropertyModel>(row.json)),
                  row.expected)
            << row.json;
    }
    EXPECT_THROW(sharedResponseDecoder().decode<PaymentPropertyModel>(R"({"value":123})"),
                 platform::DecodingError);
}

TEST(PaymentPropertyModelTest, ListsKeepAbsenceEmptinessAndOrder) {
    EXPECT_EQ(toPaymentPropertyModels(std::nullopt), std::nullopt);
    EXPECT_EQ(toPaymentProperties(std::nullopt), std::nullopt);

    const auto empty = toPaymentPropertyModels(std::vector<model::PaymentProperty>{});
    ASSERT_TRUE(empty);
    EXPECT_EQ(encode(*empty), "[]");
    EXPECT_EQ(toPaymentProperties(std::vector<PaymentPropertyModel>{}),
              std::vector<model::PaymentProperty>{});

    const std::vector<model::PaymentProperty> properties = {
        {Key::cardSaveInstrument, "false"}, {std::nullopt, "x"}, {Key::cardCVV, std::nullopt}};
    const auto wire = toPaymentPropertyModels(properties);
    EXPECT_EQ(
        encode(*wire),
        R"([{"key":"CARD_SAVE_INSTRUMENT","value":"false"},{"value":"x"},{"key":"CARD_CVV"}])");
    // Reading back turns the absent key into `unknown`.
    EXPECT_EQ(toPaymentProperties(wire),
              (std::vector<model::PaymentProperty>{{Key::cardSaveInstrument, "false"},
                                                   {Key::unknown, "x"},
                                                   {Key::cardCVV, std::nullopt}}));
}

}  // namespace
}  // namespace corvend
