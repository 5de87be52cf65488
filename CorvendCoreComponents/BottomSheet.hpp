#pragma once

#include <functional>
#include <memory>

#include "platform/ui/NavigationController.hpp"

namespace corvend::components {

// A sheet that slides up over a screen: its content under a themed navigation bar with a close
// button. Closing dismisses the sheet, then runs the sheet's close action.
class BottomSheet : public platform::ui::NavigationController {
  public:
    static std::shared_ptr<BottomSheet> make(platform::ui::ViewControllerPtr content,
                                             std::function<void()> onClose);

    using NavigationController::NavigationController;
};

}  // namespace corvend::components
