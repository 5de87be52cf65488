#pragma once

#include <memory>
#include <vector>

#include "platform/ui/NavigationBar.hpp"
#include "platform/ui/ViewController.hpp"

namespace corvend::platform::ui {

// A stack of view controllers under one navigation bar; it keeps them all, and the top one
// shows. Made with the bar it uses.
class NavigationController : public ViewController {
  public:
    // A controller with `bar` (a plain bar when absent) whose stack holds `root`, when given.
    static std::shared_ptr<NavigationController> make(std::shared_ptr<NavigationBar> bar,
                                                      ViewControllerPtr root);

    explicit NavigationController(std::shared_ptr<NavigationBar> bar);

    const std::shared_ptr<NavigationBar>& navigationBar() const { return bar_; }
    const std::vector<ViewControllerPtr>& viewControllers() const { return stack_; }
    ViewControllerPtr topViewController() const;
    void pushViewController(ViewControllerPtr viewController, bool animated);

  protected:
    void loadView() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void appendSnapshot(std::vector<std::string>& lines) override;

  private:
    void showTop();

    std::shared_ptr<NavigationBar> bar_;
    std::vector<ViewControllerPtr> stack_;
};

}  // namespace corvend::platform::ui
