#pragma once

namespace corvend {

// How the 3-D Secure web step ended: the page reached the return address, or the customer
// closed the screen. The flow learns nothing more about the page.
enum class ThreeDSResult { success, cancel };

}  // namespace corvend
