#include "CorvendWallet/core/models/TransferDetailsModel.hpp"

#include <gtest/gtest.h>

#include "tests/support/WireCoding.hpp"

namespace corvend {
namespace {

using Reason = model::TransferDetails::Reason;
using testing::decodedReply;
using testing::encodedJSON;

TEST(TransferDetailsModelTest, WritesTheReasonAlwaysAndTheDescriptionWhenThere) {
    EXPECT_EQ(encodedJSON(toTransferDetailsModel({Reason::cancelation, std::nullopt})),
              R"({"reason":"CANCELATION"})");
    EXPECT_EQ(encodedJSON(toTransferDetailsModel({Reason::unknown, ""})),
              R"({"reason":"UNKNOWN","description":""})");
}

TEST(TransferDetailsModelTest, ReadsMissingAndUnknownReasonsAsUnknown) {
    EXPECT_EQ(toTransferDetails(decodedReply<TransferDetailsModel>("{}")),
              (model::TransferDetails{Reason::unknown, std::nullopt}));
    EXPECT_EQ(toTransferDetails(decodedReply<TransferDetailsModel>(
                  R"({"reason":"CANCELLATION","description":"late"})")),
              (model::TransferDetails{Reason::unknown, "late"}));
    EXPECT_TRUE(testing::decodingFailure<TransferDetailsModel>(R"({"reason":7})"));
}

}  // namespace
}  // namespace corvend
