#include "CorvendWallet/foundation/WalletError.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace corvend::model {
namespace {

using Fields = std::vector<WalletError::FieldErrorDetails>;
using Texts = std::vector<std::string>;

TEST(WalletErrorTest, DescriptionAndErrorIDOfEachCase) {
    struct Row {
        WalletError error;
        std::string description;
        std::optional<std::string> errorID;
    };
    const Row rows[] = {
        {WalletError::dataError({.httpStatus = 400, .code = "E100"}), "[E100] ", std::nullopt},
        // Empty lists still get their line break.
        {WalletError::dataError(
             {.httpStatus = 422, .code = "E1", .details = Texts{}, .fieldErrors = Fields{}}),
         "[E1] \n\n", std::nullopt},
        {WalletError::dataError({.httpStatus = 400,
                                 .code = "E200",
                                 .message = "Invalid request",
                                 .details = Texts{"first", "second"},
                                 .fieldErrors = Fields{{"amount", "must be positive"}, {"b", "y"}},
                                 .errorID = "corr-1"}),
         "[E200] Invalid request\nfirst, second\namount: must be positive, b: y\nError ID: corr-1",
         "corr-1"},
        {WalletError::dataError({.httpStatus = 400, .code = "E4", .errorID = ""}),
         "[E4] \nError ID: ", ""},
        {WalletError::internalError("I0005"), "Internal error. [I0005]", std::nullopt},
        {WalletError::internalError("I0006", "i-1"), "Internal error. [I0006]\nError ID: i-1",
         "i-1"},
        {WalletError::serviceUnavailable("u-1"),
         "Service Unavailable. Please try again later.\nError ID: u-1", "u-1"},
        {WalletError::tokenExpired("t-7"),
         "Access token expired. Authentication needs to be performed again.\nError ID: t-7", "t-7"},
        {WalletError::notConfigured(), "Not configured.", std::nullopt},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.error.errorDescription(), row.description);
        EXPECT_STREQ(row.error.what(), row.description.c_str());
        EXPECT_EQ(row.error.errorID(), row.errorID) << row.description;
    }
}

TEST(WalletErrorTest, EqualityIsByCaseAndWholePayloadNotByDescription) {
    EXPECT_EQ(WalletError::internalError("I0001", "x"), WalletError::internalError("I0001", "x"));
    EXPECT_NE(WalletError::serviceUnavailable("x"), WalletError::tokenExpired("x"));
    EXPECT_NE(WalletError::dataError({.httpStatus = 400, .code = "E"}),
              WalletError::dataError({.httpStatus = 401, .code = "E"}));
}

}  // namespace
}  // namespace corvend::model
