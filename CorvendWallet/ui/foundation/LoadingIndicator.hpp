#pragma once

#include <memory>

#include "platform/ui/ActivityIndicatorView.hpp"

namespace corvend {

// The spinner a screen shows while it loads: medium, hidden while stopped, placed by
// constraints (the screen centres it). Main thread.
std::shared_ptr<platform::ui::ActivityIndicatorView> makeLoadingIndicator();

}  // namespace corvend
