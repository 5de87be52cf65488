#pragma once

#include <chrono>
#include <string_view>

namespace corvend::testing {

// Reads `html` with a second copy of the page reader (statics of its own, the same signal), as
// WebPage::parse does within its limits but `cpuTime`, and throws as it does.
void readWithSecondCopy(std::string_view html, std::chrono::nanoseconds cpuTime);

}  // namespace corvend::testing
