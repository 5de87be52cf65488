#include "examples/wallet-cli/OwnSandbox.hpp"

#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <cstddef>

#include "sandbox/Sandbox.hpp"

namespace corvend::cli {
namespace {

// However long a session runs, the host's own sandbox keeps no more records than
// wallet-sandbox does.
TEST(OwnSandboxTest, KeepsNoMoreRecordsThanTheStandaloneSandbox) {
    sandbox::Sandbox own(ownSandboxOptions());
    own.start();
    const std::size_t bound = sandbox::SandboxOptions::standalone().recordLimit.value_or(0);
    ASSERT_GT(bound, 0u);
    httplib::Client client("127.0.0.1", own.port());
    for (std::size_t i = 0; i <= bound; ++i) client.Get("/digitalwallets/v1/sandbox/ping");
    ASSERT_TRUE(own.waitForRequests(bound + 1, std::chrono::seconds(10)));
    EXPECT_EQ(own.requests().size(), bound);
}

}  // namespace
}  // namespace corvend::cli
