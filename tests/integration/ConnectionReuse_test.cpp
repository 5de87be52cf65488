// Kept connections that the server closes: as the next request comes on one (it reads the
// request and closes without a reply), and while one waits idle over https (its close
// notification still unread when the next request goes out). A read is sent again on a fresh
// connection and succeeds; a change is not sent twice and fails as a lost connection.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <barrier>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/http/URLError.hpp"
#include "platform/http/URLSession.hpp"
#include "tests/integration/SandboxTest.hpp"

namespace corvend::integration {
namespace {

using namespace std::chrono_literals;
using platform::URLError;
using platform::URLRequest;
using platform::URLSession;

constexpr const char* kReusedPath = "/api/v1/ping";

std::ptrdiff_t recordedWithMethod(const sandbox::Sandbox& sandbox, const std::string& method) {
    return std::ranges::count(sandbox.requests(), method, &sandbox::RecordedRequest::method);
}

// The parameter: whether the sandbox serves https.
class ClosedKeptConnectionTest : public SandboxTest, public ::testing::WithParamInterface<bool> {
  protected:
    ClosedKeptConnectionTest()
        : SandboxTest(GetParam() ? httpsOptions() : sandbox::SandboxOptions{}) {}

    URLRequest request(const std::string& method) const {
        URLRequest made(*platform::URL::make(sandbox.baseURL() + (kReusedPath + 1)));
        made.setHTTPMethod(method);
        if (method == "POST") made.setHTTPBody(platform::Data("{}"));
        return made;
    }
};

TEST_P(ClosedKeptConnectionTest, AReadGoesAgainOnAFreshConnectionAndAChangeIsNotSentTwice) {
    const auto session = URLSession::make();
    (void)session->data(request("GET"));  // the connection the next requests find kept

    sandbox.scriptNextReply("GET", kReusedPath, {.dropConnection = true});
    EXPECT_NO_THROW((void)session->data(request("GET")));
    EXPECT_EQ(recordedWithMethod(sandbox, "GET"), 3);  // the first, the dropped one and its resend

    sandbox.scriptNextReply("POST", kReusedPath, {.dropConnection = true});
    try {
        (void)session->data(request("POST"));
        ADD_FAILURE() << "a reply came on a dropped connection";
    } catch (const URLError& error) {
        EXPECT_EQ(error.code(), URLError::Code::networkConnectionLost) << error.description();
    }
    EXPECT_EQ(recordedWithMethod(sandbox, "POST"), 1);
}

// A HEAD request is a read too; a read whose resend also finds its connection closed ends there.
TEST_P(ClosedKeptConnectionTest, AHeadGoesAgainTooAndAReadGoesAtMostTwice) {
    const auto session = URLSession::make();
    (void)session->data(request("GET"));

    sandbox.scriptNextReply("HEAD", kReusedPath, {.dropConnection = true});
    EXPECT_NO_THROW((void)session->data(request("HEAD")));
    EXPECT_EQ(recordedWithMethod(sandbox, "HEAD"), 2);

    sandbox.scriptNextReply("GET", kReusedPath, {.dropConnection = true});
    sandbox.scriptNextReply("GET", kReusedPath, {.dropConnection = true});
    try {
        (void)session->data(request("GET"));
        ADD_FAILURE() << "a reply came on a dropped connection";
    } catch (const URLError& error) {
        EXPECT_EQ(error.code(), URLError::Code::networkConnectionLost) << error.description();
    }
    EXPECT_EQ(recordedWithMethod(sandbox, "GET"), 3);
}

INSTANTIATE_TEST_SUITE_P(Schemes, ClosedKeptConnectionTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "https" : "http"; });

// Threads polling together with gaps now under, now over the sandbox's idle limit, so that their
// kept connections are now open, now closed by the sandbox while they waited.
class IdleClosedConnectionTest : public SandboxTest {
  protected:
    static sandbox::SandboxOptions options() {
        auto options = httpsOptions();
        options.idleConnectionLimit = 100ms;
        return options;
    }
    IdleClosedConnectionTest() : SandboxTest(options()) {}
};

TEST_F(IdleClosedConnectionTest, PollingOverHttpsFailsNoReadWhileTheServerClosesIdleConnections) {
    constexpr int kRounds = 8;
    constexpr int kThreads = 8;
    std::barrier together(kThreads);
    const auto session = URLSession::make();
    const URLRequest poll(*platform::URL::make(sandbox.baseURL() + (kReusedPath + 1)));
    std::atomic<int> failed{0};
    std::vector<std::string> failures(kThreads);
    std::vector<std::thread> pollers;
    for (int thread = 0; thread < kThreads; ++thread) {
        pollers.emplace_back([&, thread] {
            for (int round = 0; round < kRounds; ++round) {
                try {
                    (void)session->data(poll);
                } catch (const URLError& error) {
                    ++failed;
                    failures[thread] = error.description();
                }
                together.arrive_and_wait();
                std::this_thread::sleep_for(round % 2 == 0 ? 200ms : 20ms);
            }
        });
    }
    for (auto& poller : pollers) poller.join();
    EXPECT_EQ(failed, 0) << ::testing::PrintToString(failures);
}

}  // namespace
}  // namespace corvend::integration
