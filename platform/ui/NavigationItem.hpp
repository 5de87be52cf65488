#pragma once

#include "platform/ui/BarButtonItem.hpp"

namespace corvend::platform::ui {

// The bar buttons a view controller shows in its navigation bar.
struct NavigationItem {
    BarButtonItemPtr leftBarButtonItem;
    BarButtonItemPtr rightBarButtonItem;
};

}  // namespace corvend::platform::ui
