#include "CorvendWallet/core/foundation/WalletError.hpp"

#include <gtest/gtest.h>

#include <string>

namespace corvend::model {
namespace {

using Details = WalletError::ErrorDetails;
using Field = WalletError::FieldErrorDetails;

struct DescriptionCase {
    std::string name;
    WalletError error;
    std::string expected;
};

class WalletErrorDescription : public ::testing::TestWithParam<DescriptionCase> {};

TEST_P(WalletErrorDescription, MatchesTheFixedText) {
    const auto& param = GetParam();
    EXPECT_EQ(param.error.errorDescription(), param.expected);
    EXPECT_STREQ(param.error.what(), param.expected.c_str());
}

INSTANTIATE_TEST_SUITE_P(
    AllCases, WalletErrorDescription,
    ::testing::Values(
        DescriptionCase{"DataBare", WalletError::dataError({.httpStatus = 400, .code = "E100"}),
                        "[E100] "},
        DescriptionCase{"DataMessage",
                        WalletError::dataError(
                            {.httpStatus = 400, .code = "E100", .message = "Amount too low"}),
                        "[E100] Amount too low"},
        DescriptionCase{"DataEmptyDetails",
                        WalletError::dataError({.httpStatus = 422,
                                                .code = "E1",
                                                .details = std::vector<std::string>{}}),
                        "[E1] \n"},
        DescriptionCase{"DataEmptyFieldErrors",
                        WalletError::dataError(
                            {.httpStatus = 422, .code = "E1", .fieldErrors = std::vector<Field>{}}),
                        "[E1] \n"},
        DescriptionCase{"DataBothEmpty",
                        WalletError::dataError({.httpStatus = 422,
                                                .code = "E1",
                                                .details = std::vector<std::string>{},
                                                .fieldErrors = std::vector<Field>{}}),
                        "[E1] \n\n"},
        DescriptionCase{
            "DataFourLines",
            WalletError::dataError({.httpStatus = 400,
                                    .code = "E200",
                                    .message = "Invalid request",
                                    .details = std::vector<std::string>{"first", "second"},
                                    .fieldErrors = std::vector<Field>{{"amount",
                                                                       "must be positive"}},
                                    .errorID = "corr-1"}),
            "[E200] Invalid request\nfirst, second\namount: must be positive\nError ID: corr-1"},
        DescriptionCase{
            "DataTwoFieldErrors",
            WalletError::dataError({.httpStatus = 400,
                                    .code = "E3",
                                    .fieldErrors = std::vector<Field>{{"a", "x"}, {"b", "y"}}}),
            "[E3] \na: x, b: y"},
        DescriptionCase{"DataEmptyErrorID",
                        WalletError::dataError({.httpStatus = 400, .code = "E4", .errorID = ""}),
                        "[E4] \nError ID: "},
        DescriptionCase{"InternalNoID", WalletError::internalError("I0005"),
                        "Internal error. [I0005]"},
        DescriptionCase{"InternalWithID", WalletError::internalError("I0403", "id-9"),
                        "Internal error. [I0403]\nError ID: id-9"},
        DescriptionCase{"UnavailableNoID", WalletError::serviceUnavailable(),
                        "Service Unavailable. Please try again later."},
        DescriptionCase{"UnavailableWithID", WalletError::serviceUnavailable("u-1"),
                        "Service Unavailable. Please try again later.\nError ID: u-1"},
        DescriptionCase{"TokenExpiredNoID", WalletError::tokenExpired(),
                        "Access token expired. Authentication needs to be performed again."},
        DescriptionCase{"TokenExpiredWithID", WalletError::tokenExpired("t-7"),
                        "Access token expired. Authentication needs to be performed "
                        "again.\nError ID: t-7"},
        DescriptionCase{"NotConfigured", WalletError::notConfigured(), "Not configured."}),
    [](const auto& info) { return info.param.name; });

TEST(WalletErrorTest, ErrorIDComesFromTheCarryingCase) {
    EXPECT_EQ(WalletError::dataError({.httpStatus = 400, .code = "E", .errorID = "d"}).errorID(),
              "d");
    EXPECT_EQ(WalletError::dataError({.httpStatus = 400, .code = "E"}).errorID(), std::nullopt);
    EXPECT_EQ(WalletError::internalError("I0001", "i").errorID(), "i");
    EXPECT_EQ(WalletError::internalError("I0001").errorID(), std::nullopt);
    EXPECT_EQ(WalletError::serviceUnavailable("s").errorID(), "s");
    EXPECT_EQ(WalletError::tokenExpired("t").errorID(), "t");
    EXPECT_EQ(WalletError::tokenExpired().errorID(), std::nullopt);
    EXPECT_EQ(WalletError::notConfigured().errorID(), std::nullopt);
}

TEST(WalletErrorTest, EqualityIsByCaseAndPayload) {
    const Details full{.httpStatus = 400,
                       .code = "E1",
                       .message = "m",
                       .details = std::vector<std::string>{"a", "b"},
                       .fieldErrors = std::vector<Field>{{"f", "e"}},
                       .errorID = "id"};
    EXPECT_EQ(WalletError::dataError(full), WalletError::dataError(full));
    EXPECT_EQ(WalletError::internalError("I0001", "x"), WalletError::internalError("I0001", "x"));
    EXPECT_EQ(WalletError::notConfigured(), WalletError::notConfigured());
    const auto original = WalletError::tokenExpired("t");
    const WalletError copy = original;  // NOLINT: a copy shares the payload
    EXPECT_EQ(copy, original);

    EXPECT_NE(WalletError::serviceUnavailable(), WalletError::serviceUnavailable("x"));
    EXPECT_NE(WalletError::internalError("I0001", "a"), WalletError::internalError("I0001", "b"));
    EXPECT_NE(WalletError::internalError("I0001"), WalletError::internalError("I0002"));
    EXPECT_NE(WalletError::serviceUnavailable("x"), WalletError::tokenExpired("x"));
    EXPECT_NE(WalletError::serviceUnavailable(), WalletError::notConfigured());

    auto differing = [&](auto change) {
        Details other = full;
        change(other);
        return WalletError::dataError(other);
    };
    EXPECT_NE(differing([](Details& d) { d.httpStatus = 401; }), WalletError::dataError(full));
    EXPECT_NE(differing([](Details& d) { d.message.reset(); }), WalletError::dataError(full));
    EXPECT_NE(differing([](Details& d) {
                  d.details = std::vector<std::string>{"b", "a"};
              }),
              WalletError::dataError(full));
    EXPECT_NE(differing([](Details& d) { d.details = std::vector<std::string>{}; }),
              differing([](Details& d) { d.details.reset(); }));
    EXPECT_NE(differing([](Details& d) {
                  d.fieldErrors = std::vector<Field>{{"f", "other"}};
              }),
              WalletError::dataError(full));
    EXPECT_NE(differing([](Details& d) { d.errorID = ""; }), WalletError::dataError(full));
}

}  // namespace
}  // namespace corvend::model
