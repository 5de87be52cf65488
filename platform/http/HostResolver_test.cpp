#include "platform/http/HostResolver.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/http/URLError.hpp"

namespace corvend::platform::detail {
namespace {

// Lookups that wait until the test lets them answer, counting those started. Shared with the
// resolver's threads, which may outlive the test.
struct HeldLookups : std::enable_shared_from_this<HeldLookups> {
    std::mutex mutex;
    std::condition_variable changed;
    int started = 0;
    bool released = false;

    HostResolver::Lookup function() {
        return [self = shared_from_this()](const std::string& host,
                                           std::uint16_t) -> std::optional<std::string> {
            std::unique_lock lock(self->mutex);
            ++self->started;
            self->changed.notify_all();
            self->changed.wait(lock, [&] { return self->released; });
            if (host.starts_with("missing")) return std::nullopt;
            return "192.0.2.1,[2001:db8::1]";
        };
    }
    int startedCount() {
        std::lock_guard lock(mutex);
        return started;
    }
    void waitForStarted(int count) {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return started >= count; });
    }
    void release() {
        std::lock_guard lock(mutex);
        released = true;
        changed.notify_all();
    }
};

URLError::Code codeOf(HostResolver::Answer& answer) {
    try {
        answer.wait();
    } catch (const URLError& error) {
        return error.code();
    }
    return URLError::Code::unknown;
}

TEST(HostResolverTest, CallsForOneNameAndPortShareItsLookupAndEachGetsItsAnswer) {
    const auto held = std::make_shared<HeldLookups>();
    HostResolver resolver(held->function());
    std::vector<std::shared_ptr<HostResolver::Answer>> found;
    std::vector<std::shared_ptr<HostResolver::Answer>> missing;
    for (int i = 0; i < 5; ++i) {
        found.push_back(resolver.lookUp("service.test", 443));
        missing.push_back(resolver.lookUp("missing.test", 443));
    }
    held->waitForStarted(2);
    held->release();
    for (auto& answer : found)
        EXPECT_EQ(answer->wait(), "service.test:443:192.0.2.1,[2001:db8::1]");
    for (auto& answer : missing) EXPECT_EQ(codeOf(*answer), URLError::Code::cannotFindHost);
    // An answer is kept, and given at once without another lookup; a failure is not.
    EXPECT_TRUE(resolver.lookUp("service.test", 443)->isSettled());
    EXPECT_EQ(held->startedCount(), 2);
    EXPECT_EQ(codeOf(*resolver.lookUp("missing.test", 443)), URLError::Code::cannotFindHost);
    EXPECT_EQ(held->startedCount(), 3);
}

TEST(HostResolverTest, LookupsThatHangHoldAtMostTheResolversThreadsAndOthersWait) {
    const auto held = std::make_shared<HeldLookups>();
    HostResolver resolver(held->function());
    std::vector<std::shared_ptr<HostResolver::Answer>> answers;
    for (std::uint16_t port = 1; port <= 3 * HostResolver::kMaximumThreads; ++port) {
        answers.push_back(resolver.lookUp("service.test", port));
    }
    held->waitForStarted(static_cast<int>(HostResolver::kMaximumThreads));
    EXPECT_EQ(held->startedCount(), static_cast<int>(HostResolver::kMaximumThreads));
    // A caller that stops waiting leaves nothing to look up.
    answers.resize(2 * HostResolver::kMaximumThreads);
    held->release();
    for (auto& answer : answers) EXPECT_NO_THROW(answer->wait());
    EXPECT_EQ(held->startedCount(), static_cast<int>(2 * HostResolver::kMaximumThreads));
}

TEST(HostResolverTest, AKeptAnswerIsLookedUpAgainOnceItsTimeIsOver) {
    // Shared with the resolver's threads, which may outlive the test.
    const auto lookups = std::make_shared<std::atomic<int>>(0);
    const auto passed = std::make_shared<std::atomic<std::chrono::seconds::rep>>(0);
    const auto start = std::chrono::steady_clock::now();
    HostResolver resolver(
        [lookups](const std::string&, std::uint16_t) -> std::optional<std::string> {
            return "192.0.2." + std::to_string(++*lookups);
        },
        [passed, start] { return start + std::chrono::seconds(passed->load()); });
    EXPECT_EQ(resolver.lookUp("moving.test", 443)->wait(), "moving.test:443:192.0.2.1");
    *passed = (HostResolver::kKeptFor - std::chrono::seconds(1)).count();
    const auto kept = resolver.lookUp("moving.test", 443);
    ASSERT_TRUE(kept->isSettled());
    EXPECT_EQ(kept->wait(), "moving.test:443:192.0.2.1");
    // The name has moved meanwhile.
    *passed = HostResolver::kKeptFor.count();
    EXPECT_EQ(resolver.lookUp("moving.test", 443)->wait(), "moving.test:443:192.0.2.2");
    EXPECT_EQ(*lookups, 2);
}

TEST(HostResolverTest, TakesAddressesAsTheyAre) {
    for (const char* address : {"127.0.0.1", "::1", "2001:db8::1"}) {
        EXPECT_TRUE(HostResolver::isAddress(address)) << address;
    }
    for (const char* name : {"localhost", "service.test", "127.0.0.1.test"}) {
        EXPECT_FALSE(HostResolver::isAddress(name)) << name;
    }
}

}  // namespace
}  // namespace corvend::platform::detail
