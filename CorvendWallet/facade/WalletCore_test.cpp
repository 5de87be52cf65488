#include "CorvendWallet/facade/WalletCore.hpp"

#include <gtest/gtest.h>

#include "CorvendWallet/foundation/WalletError.hpp"
#include "platform/http/URLError.hpp"

namespace corvend {
namespace {

using model::ConfigurationError;
using model::WalletError;

// Token, availability and fingerprint failures as the host sees them: WalletConfigure_test.
TEST(WalletCoreTest, EveryFailureMapsToAConfigurationError) {
    struct Row {
        std::exception_ptr error;
        ConfigurationError expected;
    };
    const auto raise = [](auto error) { return std::make_exception_ptr(error); };
    const std::vector<Row> rows = {
        {raise(WalletError::dataError(
             {.httpStatus = 400, .code = "X1", .message = "Bad", .errorID = "id"})),
         {"Bad", "X1", "id"}},
        {raise(WalletError::dataError({.httpStatus = 404, .code = "X2"})), {"X2", "X2"}},
        {raise(WalletError::internalError("I0005", "id")), {"Internal error", "I0005", "id"}},
        {raise(WalletError::notConfigured()), {"Internal error", "C0004"}},
        {raise(platform::URLError(platform::URLError::Code::timedOut, "The request timed out.")),
         {"The request timed out.", "C0100"}},
        {raise(ConfigurationError("Invalid base URL", "C0001")), {"Invalid base URL", "C0001"}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(configurationError(row.error), row.expected) << row.expected.code();
    }
}

}  // namespace
}  // namespace corvend
