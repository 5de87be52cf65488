#pragma once

#include "platform/ui/View.hpp"

namespace corvend::platform::ui {

// The bar at the top of a navigation controller; subclasses restyle it, and bar-button
// appearance can be set for the items inside bars of one class.
class NavigationBar : public View {};

}  // namespace corvend::platform::ui
