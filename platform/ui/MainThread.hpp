#pragma once

#include <string_view>

namespace corvend::platform::ui {

// Views, controls and view controllers are used on the thread that drives MainQueue. In debug
// builds a use from any other thread stops the program naming `what`; release builds check
// nothing.
void requireMainThread(std::string_view what);

}  // namespace corvend::platform::ui
