#include "CorvendWallet/ui/foundation/AnyObjectLifecycleTracker.hpp"

#include <memory>

namespace corvend {

void AnyObjectLifecycleTracker::attach(platform::ui::AssociatedObjects& object,
                                       std::function<void()> didDeinit) {
    object.setAssociatedObject(kAssociationKey,
                               std::make_shared<AnyObjectLifecycleTracker>(std::move(didDeinit)));
}

AnyObjectLifecycleTracker::~AnyObjectLifecycleTracker() {
    if (didDeinit_) didDeinit_();
}

}  // namespace corvend
