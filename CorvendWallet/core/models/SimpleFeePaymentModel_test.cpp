#include "CorvendWallet/core/models/SimpleFeePaymentModel.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "CorvendWallet/networking/SharedCoders.hpp"

namespace corvend {
namespace {

using Reason = model::SimpleFeePayment::FeePaymentReason;

SimpleFeePaymentModel decode(const char* json) {
    return sharedResponseDecoder().decode<SimpleFeePaymentModel>(json);
}

TEST(SimpleFeePaymentModelTest, ReadsAndMapsAFee) {
    struct Row {
        const char* json;
        model::SimpleFeePayment expected;
    };
    const Row rows[] = {
        {R"({"amount":150,"currency":"EUR","paymentReason":"FX_FEE"})",
         {150, "EUR", Reason::fxFee}},
        {R"({"amount":150,"paymentReason":"corvend_fee"})", {150, std::nullopt, Reason::unknown}},
        {R"({"amount":-5,"currency":null,"paymentReason":null})",
         {-5, std::nullopt, Reason::unknown}},
        {R"({"amount":0,"paymentReason":"NEW_FEE_KIND"})", {0, std::nullopt, Reason::unknown}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(toSimpleFeePayment(decode(row.json)), row.expected) << row.json;
    }
}

TEST(SimpleFeePaymentModelTest, TheAmountIsRequired) {
    struct Row {
        const char* json;
        platform::DecodingError::Kind kind;
    };
    const Row rows[] = {
        {R"({"currency":"EUR"})", platform::DecodingError::Kind::keyNotFound},
        {R"({"amount":null})", platform::DecodingError::Kind::valueNotFound},
        {R"({"amount":"150"})", platform::DecodingError::Kind::typeMismatch},
        {R"({"amount":1.5})", platform::DecodingError::Kind::dataCorrupted},
    };
    for (const Row& row : rows) {
        try {
            decode(row.json);
            ADD_FAILURE() << row.json << " decoded";
        } catch (const platform::DecodingError& error) {
            EXPECT_EQ(error.kind(), row.kind) << row.json;
        }
    }
}

TEST(SimpleFeePaymentModelTest, AFeeWithoutAmountFailsTheWholeList) {
    EXPECT_THROW(sharedResponseDecoder().decode<std::vector<SimpleFeePaymentModel>>(
                     R"([{"amount":1},{"currency":"EUR"}])"),
                 platform::DecodingError);
}

TEST(SimpleFeePaymentModelTest, AnAbsentListMapsToAnEmptyOne) {
    EXPECT_TRUE(toSimpleFeePayments(std::nullopt).empty());
    EXPECT_TRUE(toSimpleFeePayments(std::vector<SimpleFeePaymentModel>{}).empty());
    const auto fees = toSimpleFeePayments(
        std::vector<SimpleFeePaymentModel>{{1, "EUR", "ATM_FEE"}, {2, std::nullopt, std::nullopt}});
    EXPECT_EQ(fees, (std::vector<model::SimpleFeePayment>{{1, "EUR", Reason::atmFee},
                                                          {2, std::nullopt, Reason::unknown}}));
}

}  // namespace
}  // namespace corvend
