#include "CorvendWallet/core/models/SimpleFeePaymentModel.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/WireCoding.hpp"

namespace corvend {
namespace {

using Kind = platform::DecodingError::Kind;
using Reason = model::SimpleFeePayment::FeePaymentReason;
using testing::decodingFailure;

TEST(SimpleFeePaymentModelTest, ReadsAFeeWhoseAmountIsRequired) {
    EXPECT_EQ(toSimpleFeePayment(testing::decodedReply<SimpleFeePaymentModel>(
                  R"({"amount":150,"paymentReason":"corvend_fee","currency":null})")),
              (model::SimpleFeePayment{150, std::nullopt, Reason::unknown}));
    EXPECT_EQ(decodingFailure<SimpleFeePaymentModel>(R"({"currency":"EUR"})"), Kind::keyNotFound);
    EXPECT_EQ(decodingFailure<SimpleFeePaymentModel>(R"({"amount":null})"), Kind::valueNotFound);
    // One fee without amount fails the whole list.
    EXPECT_EQ(
        decodingFailure<std::vector<SimpleFeePaymentModel>>(R"([{"amount":1},{"currency":"EUR"}])"),
        Kind::keyNotFound);
}

TEST(SimpleFeePaymentModelTest, AnAbsentListMapsToAnEmptyOneAndOrderIsKept) {
    EXPECT_TRUE(toSimpleFeePayments(std::nullopt).empty());
    EXPECT_EQ(toSimpleFeePayments(std::vector<SimpleFeePaymentModel>{
                  {1, "EUR", "ATM_FEE"}, {2, std::nullopt, std::nullopt}}),
              (std::vector<model::SimpleFeePayment>{{1, "EUR", Reason::atmFee},
                                                    {2, std::nullopt, Reason::unknown}}));
}

}  // namespace
}  // namespace corvend
