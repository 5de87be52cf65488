#include "CorvendWallet/core/foundation/WalletError.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvend::model {
namespace {

using Fields = std::vector<WalletError::FieldErrorDetails>;
using Texts = std::vector<std::string>;

TEST(WalletErrorTest, DescriptionOfEachCase) {
    struct Row {
        WalletError error;
        std::string expected;
    };
    const Row rows[] = {
        {WalletError::dataError({.httpStatus = 400, .code = "E100"}), "[E100] "},
        // Empty lists still get their line break.
        {WalletError::dataError(
             {.httpStatus = 422, .code = "E1", .details = Texts{}, .fieldErrors = Fields{}}),
         "[E1] \n\n"},
        {WalletError::dataError({.httpStatus = 400,
                                 .code = "E200",
                                 .message = "Invalid request",
                                 .details = Texts{"first", "second"},
                                 .fieldErrors = Fields{{"amount", "must be positive"}, {"b", "y"}},
                                 .errorID = "corr-1"}),
         "[E200] Invalid request\nfirst, second\namount: must be positive, b: y\nError ID: "
         "corr-1"},
        {WalletError::dataError({.httpStatus = 400, .code = "E4", .errorID = ""}),
         "[E4] \nError ID: "},
        {WalletError::internalError("I0005"), "Internal error. [I0005]"},
        {WalletError::serviceUnavailable("u-1"),
         "Service Unavailable. Please try again later.\nError ID: u-1"},
        {WalletError::tokenExpired("t-7"),
         "Access token expired. Authentication needs to be performed again.\nError ID: t-7"},
        {WalletError::notConfigured(), "Not configured."},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.error.errorDescription(), row.expected);
        EXPECT_STREQ(row.error.what(), row.expected.c_str());
    }
}

TEST(WalletErrorTest, ErrorIDComesFromTheCarryingCase) {
    EXPECT_EQ(WalletError::dataError({.httpStatus = 400, .code = "E", .errorID = "d"}).errorID(),
              "d");
    EXPECT_EQ(WalletError::internalError("I0001", "i").errorID(), "i");
    EXPECT_EQ(WalletError::serviceUnavailable("s").errorID(), "s");
    EXPECT_EQ(WalletError::tokenExpired("t").errorID(), "t");
    EXPECT_EQ(WalletError::notConfigured().errorID(), std::nullopt);
}

TEST(WalletErrorTest, EqualityIsByCaseAndPayload) {
    EXPECT_EQ(WalletError::internalError("I0001", "x"), WalletError::internalError("I0001", "x"));
    EXPECT_EQ(WalletError::notConfigured(), WalletError::notConfigured());
    EXPECT_NE(WalletError::serviceUnavailable(), WalletError::serviceUnavailable("x"));
    EXPECT_NE(WalletError::internalError("I0001", "a"), WalletError::internalError("I0001", "b"));
    EXPECT_NE(WalletError::serviceUnavailable("x"), WalletError::tokenExpired("x"));
    EXPECT_NE(WalletError::dataError({.httpStatus = 400, .code = "E"}),
              WalletError::dataError({.httpStatus = 401, .code = "E"}));
}

}  // namespace
}  // namespace corvend::model
