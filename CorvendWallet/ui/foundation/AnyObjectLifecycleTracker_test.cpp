#include "CorvendWallet/ui/foundation/AnyObjectLifecycleTracker.hpp"

#include <gtest/gtest.h>

#include "CorvendWallet/ui/foundation/NavigationControllable.hpp"
#include "platform/async/MainQueue.hpp"

namespace corvend {
namespace {

using platform::MainQueue;
using platform::ui::NavigationController;
using platform::ui::ViewController;

TEST(AnyObjectLifecycleTrackerTest, FiresOnceWhenItsOwnerGoesOrAnotherReplacesIt) {
    int first = 0;
    int second = 0;
    auto screen = std::make_shared<ViewController>();
    AnyObjectLifecycleTracker::attach(*screen, [&] { ++first; });
    AnyObjectLifecycleTracker::attach(*screen, [&] { ++second; });
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 0);
    AnyObjectLifecycleTracker::attach(*screen, {});  // replaces; no callback to run later
    EXPECT_EQ(second, 1);

    AnyObjectLifecycleTracker::attach(*screen, [&] { ++first; });
    screen.reset();
    EXPECT_EQ(first, 2);
    EXPECT_EQ(second, 1);
}

TEST(AnyObjectLifecycleTrackerTest, DismissingTheFlowThroughTheInterfaceReleasesItsScreens) {
    MainQueue::shared().drain();
    const auto host = std::make_shared<ViewController>();
    auto root = std::make_shared<ViewController>();
    int released = 0;
    AnyObjectLifecycleTracker::attach(*root, [&] { ++released; });
    auto flow = NavigationController::make(nullptr, std::move(root));
    host->present(flow, false);
    auto navigation = NavigationControllable::of(flow);
    flow.reset();
    MainQueue::shared().drain();

    int dismissed = 0;
    navigation->dismiss(true, [&] { ++dismissed; });
    MainQueue::shared().drain();
    EXPECT_EQ(dismissed, 1);
    EXPECT_EQ(host->presentedViewController(), nullptr);
    navigation->dismiss(false, {});
    MainQueue::shared().drain();
    EXPECT_EQ(dismissed, 1);
    EXPECT_EQ(released, 0);  // the interface keeps its controller, as a router does
    navigation.reset();
    EXPECT_EQ(released, 1);
}

}  // namespace
}  // namespace corvend
