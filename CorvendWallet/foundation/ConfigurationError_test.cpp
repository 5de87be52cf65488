#include "CorvendWallet/foundation/ConfigurationError.hpp"

#include <gtest/gtest.h>

namespace corvend::model {
namespace {

TEST(ConfigurationErrorTest,
     DescriptionEndsWithTheErrorIDLineOnlyWhenPresentAndEqualityIsFieldByField) {
    const ConfigurationError plain("Invalid base URL", "C0001");
    EXPECT_EQ(plain.errorDescription(), "ConfigurationError: Invalid base URL [C0001]");
    EXPECT_STREQ(plain.what(), "ConfigurationError: Invalid base URL [C0001]");
    EXPECT_EQ(ConfigurationError("m", "C0100", "").errorDescription(),
              "ConfigurationError: m [C0100]\nError ID: ");

    EXPECT_EQ(ConfigurationError("m", "C0001", "x"), ConfigurationError("m", "C0001", "x"));
    EXPECT_NE(ConfigurationError("m", "C0001", ""), ConfigurationError("m", "C0001"));
    EXPECT_NE(ConfigurationError("m", "C0001"), ConfigurationError("n", "C0001"));
    EXPECT_NE(ConfigurationError("m", "C0001"), ConfigurationError("m", "C0002"));
}

}  // namespace
}  // namespace corvend::model
