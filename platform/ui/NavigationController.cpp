#include "platform/ui/NavigationController.hpp"

#include "platform/ui/MainThread.hpp"

namespace corvend::platform::ui {

std::shared_ptr<NavigationController> NavigationController::make(std::shared_ptr<NavigationBar> bar,
                                                                 ViewControllerPtr root) {
    auto controller = std::make_shared<NavigationController>(std::move(bar));
    if (root) {
        root->navigationController_ = controller;
        controller->stack_.push_back(std::move(root));
    }
    return controller;
}

NavigationController::NavigationController(std::shared_ptr<NavigationBar> bar)
    : bar_(bar ? std::move(bar) : std::make_shared<NavigationBar>()) {}

ViewControllerPtr NavigationController::topViewController() const {
    return stack_.empty() ? nullptr : stack_.back();
}

void NavigationController::pushViewController(ViewControllerPtr viewController, bool animated) {
    requireMainThread("NavigationController::pushViewController");
    if (!viewController || viewController->navigationController()) return;
    viewController->navigationController_ =
        std::static_pointer_cast<NavigationController>(shared_from_this());
    stack_.push_back(viewController);
    if (!isViewLoaded()) return;
    showTop();
    appear(viewController, animated, {});
}

void NavigationController::loadView() {
    auto root = std::make_shared<View>();
    root->addSubview(bar_);
    setView(root);
    showTop();
}

void NavigationController::showTop() {
    // The bar and the top controller's view: earlier controllers' views leave the screen.
    const auto root = view();
    for (const auto& below : stack_)
        if (below->isViewLoaded() && below->view()->superview() == root.get())
            below->view()->removeFromSuperview();
    if (const auto top = topViewController()) root->addSubview(top->view());
}

void NavigationController::viewWillAppear(bool animated) {
    if (const auto top = topViewController()) top->viewWillAppear(animated);
}

void NavigationController::viewDidAppear(bool animated) {
    if (const auto top = topViewController()) top->viewDidAppear(animated);
}

void NavigationController::appendSnapshot(std::vector<std::string>& lines) {
    view();
    if (const auto top = topViewController()) top->appendSnapshot(lines);
}

}  // namespace corvend::platform::ui
