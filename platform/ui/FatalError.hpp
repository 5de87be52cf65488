#pragma once

#include <string_view>

namespace corvend::platform::ui {

// Stops the program after writing `message` to the standard error stream: for faults of the
// program itself, never for bad input.
[[noreturn]] void fatalError(std::string_view message);

}  // namespace corvend::platform::ui
