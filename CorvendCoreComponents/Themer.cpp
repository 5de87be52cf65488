#include "CorvendCoreComponents/Themer.hpp"

#include "CorvendCoreComponents/ThemedNavigationBar.hpp"

namespace corvend::components {

std::shared_ptr<platform::ui::NavigationController> Themer::newNavigationController(
    platform::ui::ViewControllerPtr root) {
    return platform::ui::NavigationController::make(std::make_shared<ThemedNavigationBar>(),
                                                    std::move(root));
}

}  // namespace corvend::components
