#pragma once

#include <memory>

#include "platform/ui/NavigationController.hpp"

namespace corvend::components {

struct Themer {
    // A navigation controller with the library's themed bar, holding `root` when given.
    static std::shared_ptr<platform::ui::NavigationController> newNavigationController(
        platform::ui::ViewControllerPtr root);
};

}  // namespace corvend::components
