#pragma once

namespace corvend::platform::web {

// A delegate's answer to one navigation.
enum class NavigationActionPolicy { cancel, allow };

}  // namespace corvend::platform::web
