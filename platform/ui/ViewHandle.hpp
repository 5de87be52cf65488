#pragma once

namespace corvend::platform::ui {

class View;

// A view's identity for weak back references (superview, constraint items, gesture views):
// each view owns its handle and clears it when destroyed, and a weak pointer to the handle
// works from the view's constructor on, before anything shares the view itself.
struct ViewHandle {
    View* view = nullptr;
};

}  // namespace corvend::platform::ui
