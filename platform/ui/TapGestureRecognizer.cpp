#include "platform/ui/TapGestureRecognizer.hpp"

namespace corvend::platform::ui {

View* TapGestureRecognizer::view() const {
    const auto handle = view_.lock();
    return handle ? handle->view : nullptr;
}

bool TapGestureRecognizer::recognize() {
    if (!enabled_ || !action_) return false;
    // A copy: the action may replace or drop this recogniser.
    const auto action = action_;
    action();
    return true;
}

}  // namespace corvend::platform::ui
