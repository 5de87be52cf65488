#include "CorvendWallet/core/foundation/ConfigurationError.hpp"

#include <gtest/gtest.h>

namespace corvend::model {
namespace {

TEST(ConfigurationErrorTest, DescriptionEndsWithTheErrorIDLineOnlyWhenPresent) {
    const ConfigurationError plain("Invalid base URL", "C0001");
    EXPECT_EQ(plain.errorDescription(), "ConfigurationError: Invalid base URL [C0001]");
    EXPECT_STREQ(plain.what(), "ConfigurationError: Invalid base URL [C0001]");

    const ConfigurationError withID("Service unavailable", "C0503", "abc-1");
    EXPECT_EQ(withID.errorDescription(),
              "ConfigurationError: Service unavailable [C0503]\nError ID: abc-1");

    const ConfigurationError emptyID("m", "C0100", "");
    EXPECT_EQ(emptyID.errorDescription(), "ConfigurationError: m [C0100]\nError ID: ");
}

TEST(ConfigurationErrorTest, EqualityIsFieldByField) {
    EXPECT_EQ(ConfigurationError("m", "C0001", "x"), ConfigurationError("m", "C0001", "x"));
    EXPECT_EQ(ConfigurationError("m", "C0001"), ConfigurationError("m", "C0001"));
    EXPECT_NE(ConfigurationError("m", "C0001"), ConfigurationError("m", "C0001", "x"));
    EXPECT_NE(ConfigurationError("m", "C0001", ""), ConfigurationError("m", "C0001"));
    EXPECT_NE(ConfigurationError("m", "C0001"), ConfigurationError("n", "C0001"));
    EXPECT_NE(ConfigurationError("m", "C0001"), ConfigurationError("m", "C0002"));
}

}  // namespace
}  // namespace corvend::model
