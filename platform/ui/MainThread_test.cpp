#include "platform/ui/MainThread.hpp"

#include <gtest/gtest.h>

#include <thread>

#include "platform/async/MainQueue.hpp"
#include "platform/ui/Label.hpp"

namespace corvend::platform::ui {
namespace {

TEST(MainThreadDeathTest, AViewMadeOffTheMainThreadStopsInDebugBuilds) {
#ifdef NDEBUG
    GTEST_SKIP() << "release builds do not check the thread";
#else
    EXPECT_DEATH(
        {
            MainQueue::shared().drain();
            std::thread([] { Label label; }).join();
        },
        "a view used off the main thread");
#endif
}

}  // namespace
}  // namespace corvend::platform::ui
