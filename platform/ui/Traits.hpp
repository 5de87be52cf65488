#pragma once

namespace corvend::platform::ui {

enum class UserInterfaceStyle { unspecified, light, dark };

// The environment a view is shown in; dynamic colours resolve against it.
struct Traits {
    UserInterfaceStyle userInterfaceStyle = UserInterfaceStyle::unspecified;

    friend bool operator==(const Traits&, const Traits&) = default;
};

}  // namespace corvend::platform::ui
