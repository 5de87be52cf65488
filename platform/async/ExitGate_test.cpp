#include "platform/async/ExitGate.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <thread>

namespace corvend::platform {
namespace {

TEST(ExitGateTest, ClosingWaitsForThePassesGivenAndRefusesNewOnes) {
    ExitGate gate;
    std::optional<ExitGate::Pass> held(gate.enter());
    ASSERT_TRUE(*held);
    {
        const auto passed = gate.enter();  // passes may overlap
        EXPECT_TRUE(passed);
    }

    std::atomic<bool> closed = false;
    std::thread closing([&] {
        gate.close();
        closed = true;
    });
    // Once a pass is refused the gate is closing, and must wait for the one still held.
    while (gate.enter()) std::this_thread::yield();
    EXPECT_FALSE(closed);

    held.reset();
    closing.join();
    EXPECT_TRUE(closed);
    EXPECT_FALSE(gate.enter());
    gate.close();  // again: nothing to wait for
}

}  // namespace
}  // namespace corvend::platform
