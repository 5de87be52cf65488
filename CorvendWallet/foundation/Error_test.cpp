#include "CorvendWallet/foundation/Error.hpp"

#include <gtest/gtest.h>

#include <expected>
#include <memory>
#include <stdexcept>
#include <string>

#include "CorvendWallet/foundation/ConfigurationError.hpp"
#include "CorvendWallet/foundation/Result.hpp"
#include "CorvendWallet/foundation/WalletError.hpp"
#include "platform/async/CancellationError.hpp"

namespace corvend {
namespace {

using model::WalletError;

TEST(ErrorTest, AsAndIsMatchOnlyTheExceptionsType) {
    const auto wallet = Error::make(WalletError::tokenExpired("t1"));
    EXPECT_EQ(wallet.as<WalletError>(), WalletError::tokenExpired("t1"));
    EXPECT_FALSE(wallet.as<std::runtime_error>().has_value());
    EXPECT_TRUE(wallet.is<std::exception>());
    EXPECT_FALSE(wallet.isCancellation());
    EXPECT_TRUE(Error::make(platform::CancellationError()).isCancellation());
}

// Kit errors' what() is their description, so they read like any std::exception.
TEST(ErrorTest, DescriptionReadsEveryKindOfException) {
    EXPECT_EQ(Error::make(std::runtime_error("disk on fire")).description(), "disk on fire");
    EXPECT_EQ(Error::make(std::string("plain text")).description(), "plain text");
    EXPECT_EQ(Error::make(42).description(), "Unknown error");
}

TEST(ErrorTest, NullExceptionBecomesARethrowableUnknownError) {
    const Error error{std::exception_ptr()};
    EXPECT_EQ(error.description(), "Unknown error");
    EXPECT_THROW(error.rethrow(), std::runtime_error);
}

TEST(ResultTest, CaptureKeepsTheValueOrTheVeryExceptionThrown) {
    auto moved = captureResult([] { return std::make_unique<int>(5); });
    EXPECT_EQ(*valueOrThrow(std::move(moved)), 5);
    EXPECT_NO_THROW(valueOrThrow(captureResult([] {})));

    const auto failed = captureResult([]() -> int { throw WalletError::notConfigured(); });
    ASSERT_FALSE(failed.has_value());
    Result<int> copy = failed;
    // Rethrown as the same object, not a copy or a wrapper.
    const auto rethrown = captureResult([&] { return valueOrThrow(std::move(copy)); });
    EXPECT_EQ(rethrown.error().exception(), failed.error().exception());
}

// Generic code (a completion written as a generic lambda) reads the error without `.template`.
TEST(ResultTest, ErrorAsReadsTheErrorOfAnyResult) {
    const auto read = [](const auto& result) { return errorAs<WalletError>(result); };
    EXPECT_EQ(read(Result<int>(std::unexpected(Error::make(WalletError::notConfigured())))),
              WalletError::notConfigured());
    EXPECT_FALSE(read(Result<int>(3)).has_value());
    EXPECT_FALSE(read(Result<void>()).has_value());
    EXPECT_FALSE(read(Result<void>(std::unexpected(Error::make(platform::CancellationError()))))
                     .has_value());
}

// configure's completion holds its ConfigurationError by value; a host reads it the same way.
TEST(ResultTest, ErrorAsReadsTheErrorOfConfiguresCompletion) {
    using Configured = std::expected<std::string, model::ConfigurationError>;
    const model::ConfigurationError refused("Invalid base URL", "C0001");
    const Configured failed = std::unexpected(refused);
    const auto read = [](const auto& result) { return errorAs<model::ConfigurationError>(result); };
    EXPECT_EQ(read(failed), refused);
    EXPECT_FALSE(read(Configured("fingerprint")).has_value());
    EXPECT_FALSE(errorAs<WalletError>(failed).has_value());
}

}  // namespace
}  // namespace corvend
