#pragma once

#include <functional>
#include <memory>

#include "platform/ui/BarButtonItem.hpp"
#include "platform/ui/NavigationController.hpp"
#include "platform/ui/ViewController.hpp"

namespace corvend {

// How a router moves between screens without depending on the navigation controller itself:
// push a screen, or dismiss the whole modal presentation (for the card-deposit flow, the flow).
class NavigationControllable {
  public:
    virtual ~NavigationControllable() = default;

    virtual void pushViewController(platform::ui::ViewControllerPtr viewController,
                                    bool animated) = 0;
    // Runs `completion`, when given, once the dismissal has finished.
    virtual void dismiss(bool animated, std::function<void()> completion) = 0;

    // The platform's navigation controller behind the interface; kept strongly.
    static std::shared_ptr<NavigationControllable> of(
        std::shared_ptr<platform::ui::NavigationController> controller);
};

// The close button of the kit's screens: a plain item showing the applied appearance's
// iconClose (Appearance::appliedImages() at the time of the call) that runs `action` when
// tapped; without an action it does nothing. An owner that targets itself captures itself
// weakly.
platform::ui::BarButtonItemPtr closeButton(std::function<void()> action);

}  // namespace corvend
