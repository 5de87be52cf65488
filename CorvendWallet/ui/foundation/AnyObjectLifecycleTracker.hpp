#pragma once

#include <functional>

#include "platform/ui/AssociatedObjects.hpp"

namespace corvend {

// Reports when an object goes away: attached to the object, which alone keeps it, the tracker
// calls its callback when the object releases it. A screen's builder attaches one to the view
// controller so that its interactor's running task is cancelled with the screen.
//
//   AnyObjectLifecycleTracker::attach(*viewController, [interactor] { interactor->cancel(); });
//
// An object carries one tracker: attaching another releases the first, whose callback runs at
// once. Use it on the object's thread.
class AnyObjectLifecycleTracker {
  public:
    static constexpr const char* kAssociationKey = "associationKey";

    static void attach(platform::ui::AssociatedObjects& object, std::function<void()> didDeinit);

    explicit AnyObjectLifecycleTracker(std::function<void()> didDeinit)
        : didDeinit_(std::move(didDeinit)) {}
    ~AnyObjectLifecycleTracker();
    AnyObjectLifecycleTracker(const AnyObjectLifecycleTracker&) = delete;
    AnyObjectLifecycleTracker& operator=(const AnyObjectLifecycleTracker&) = delete;

  private:
    std::function<void()> didDeinit_;
};

}  // namespace corvend
