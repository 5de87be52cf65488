// A session that goes while a call waits on its host's lookup: the call ends at once as
// cancelled, whatever the system resolver still does.

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <exception>
#include <fstream>
#include <future>
#include <iterator>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "platform/http/URLError.hpp"
#include "platform/http/URLSession.hpp"
#include "tests/support/SteeredLookups.hpp"

namespace corvend::platform {
namespace {

using corvend::platform::testing::kHeldName;

// Far above what each step takes; reached only when the behaviour under test is broken.
constexpr std::chrono::seconds kDeadline{10};

// Whether the thread `id` of this process sleeps, as it does in a wait.
bool asleep(pid_t id) {
    std::ifstream stat("/proc/self/task/" + std::to_string(id) + "/stat");
    const std::string text{std::istreambuf_iterator<char>(stat), {}};
    const auto name = text.rfind(')');  // the state follows the parenthesised name
    return name != std::string::npos && text.compare(name, 3, ") S") == 0;
}

TEST(URLSessionShutdownTest, ACallWaitingOnALookupEndsAsCancelledWhenItsSessionGoes) {
    auto& held = corvend::platform::testing::heldLookups();
    // A port of its own each run, so that no lookup of an earlier one is shared.
    static std::atomic<std::uint16_t> port{8080};
    const URLRequest request(
        *URL::make("http://" + std::string(kHeldName) + ":" + std::to_string(port++) + "/"));
    int started = 0;
    {
        std::lock_guard lock(held.mutex);
        started = held.started;
    }
    auto session = URLSession::make();
    URLSession& calledOn = *session;
    std::atomic<pid_t> caller{0};
    // The call's thread only hands over what it threw: the session's thread shares that object,
    // counted in a way that ThreadSanitizer cannot see, so it is read on this thread.
    std::promise<std::exception_ptr> ended;
    std::thread call([&] {
        caller = ::gettid();
        try {
            (void)calledOn.data(request);
            ended.set_value(nullptr);
        } catch (...) {
            ended.set_value(std::current_exception());
        }
    });
    auto error = ended.get_future();
    const auto hasEnded = [&] {
        return error.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    };
    {
        std::unique_lock lock(held.mutex);
        EXPECT_TRUE(held.changed.wait_for(lock, kDeadline, [&] { return held.started > started; }))
            << "the call's lookup never began";
    }
    // Its lookup has begun; the call then waits for it.
    while (!asleep(caller) && !hasEnded()) std::this_thread::yield();
    EXPECT_FALSE(hasEnded()) << "the call ended while its lookup was held";

    session.reset();
    // Generous: reached only when the call waits on, until its lookup's time-out.
    const bool endedInTime = error.wait_for(kDeadline) == std::future_status::ready;
    held.releaseAll();
    call.join();
    EXPECT_TRUE(endedInTime) << "the call waited on its lookup after its session went";
    const auto thrown = error.get();
    ASSERT_TRUE(thrown) << "a reply came without a lookup";
    try {
        std::rethrow_exception(thrown);
    } catch (const URLError& failure) {
        EXPECT_EQ(failure.code(), URLError::Code::cancelled) << failure.description();
    }
}

}  // namespace
}  // namespace corvend::platform
