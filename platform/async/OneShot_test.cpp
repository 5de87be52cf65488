#include "platform/async/OneShot.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <latch>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace corvend::platform {
namespace {

TEST(OneShotTest, FirstOutcomeWinsAndRejectRethrowsEvenANullError) {
    OneShot<std::string> shot;
    EXPECT_FALSE(shot.isSettled());
    EXPECT_TRUE(shot.resolve("first"));
    EXPECT_FALSE(shot.resolve("second"));
    EXPECT_FALSE(shot.reject(std::make_exception_ptr(std::runtime_error("late"))));
    EXPECT_TRUE(shot.isSettled());
    EXPECT_EQ(shot.wait(), "first");

    OneShot<std::unique_ptr<int>> owned;  // a move-only value is moved out
    owned.resolve(std::make_unique<int>(4));
    EXPECT_EQ(*owned.wait(), 4);

    OneShot<void> voidShot;
    EXPECT_TRUE(voidShot.reject(std::make_exception_ptr(std::out_of_range("first"))));
    EXPECT_FALSE(voidShot.resolve());
    EXPECT_THROW(voidShot.wait(), std::out_of_range);

    // The error goes to the waiter: it ends with the waiter's catch, while the OneShot lives on
    // (its last holder on another thread would free what the waiter read, unseen by
    // ThreadSanitizer).
    struct Counted : std::runtime_error {
        explicit Counted(std::atomic<int>& alive) : std::runtime_error("counted"), alive(alive) {
            ++alive;
        }
        Counted(const Counted& other) : std::runtime_error(other), alive(other.alive) { ++alive; }
        ~Counted() override { --alive; }
        std::atomic<int>& alive;
    };
    std::atomic<int> alive = 0;
    OneShot<int> handedOver;
    handedOver.reject(std::make_exception_ptr(Counted(alive)));
    EXPECT_THROW(handedOver.wait(), Counted);
    EXPECT_EQ(alive, 0);
    EXPECT_TRUE(handedOver.isSettled());
    OneShot<void> voidHandedOver;
    voidHandedOver.reject(std::make_exception_ptr(Counted(alive)));
    EXPECT_THROW(voidHandedOver.wait(), Counted);
    EXPECT_EQ(alive, 0);
    EXPECT_THROW(voidHandedOver.wait(), std::logic_error);  // a second wait never succeeds

    OneShot<int> nullError;  // a null error still fails the wait
    nullError.reject(nullptr);
    EXPECT_THROW(nullError.wait(), std::logic_error);
    OneShot<void> nullVoid;
    nullVoid.reject(nullptr);
    EXPECT_THROW(nullVoid.wait(), std::logic_error);
}

TEST(OneShotTest, RacingSettlersEndTheWaitExactlyOnce) {
    constexpr int kRacers = 8;
    for (int round = 0; round < 50; ++round) {
        OneShot<int> shot;
        std::atomic<int> winners{0};
        std::atomic<int> winner{-1};
        std::latch start(kRacers);
        std::vector<std::jthread> racers;
        for (int r = 0; r < kRacers; ++r) {
            racers.emplace_back([&, r] {
                start.arrive_and_wait();
                if (r % 2 == 0 ? shot.resolve(r)
                               : shot.reject(std::make_exception_ptr(std::runtime_error("x")))) {
                    ++winners;
                    winner = r;
                }
            });
        }
        racers.clear();
        EXPECT_EQ(winners.load(), 1);
        if (winner.load() % 2 == 0) {
            EXPECT_EQ(shot.wait(), winner.load());
        } else {
            EXPECT_THROW(shot.wait(), std::runtime_error);
        }
    }
}

// The waiter destroys the OneShot as soon as its wait returns, while the settling thread may
// still be leaving resolve().
TEST(OneShotTest, WaiterMayDestroyItRightAfterTheWait) {
    for (int round = 0; round < 200; ++round) {
        auto shot = std::make_unique<OneShot<int>>();
        std::jthread settler([raw = shot.get(), round] { raw->resolve(round); });
        EXPECT_EQ(shot->wait(), round);
        shot.reset();
    }
}

}  // namespace
}  // namespace corvend::platform
