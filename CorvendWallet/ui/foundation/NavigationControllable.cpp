#include "CorvendWallet/ui/foundation/NavigationControllable.hpp"

#include <utility>

#include "CorvendWallet/ui/foundation/Appearance.hpp"

namespace corvend {

namespace {

class PlatformNavigation final : public NavigationControllable {
  public:
    explicit PlatformNavigation(std::shared_ptr<platform::ui::NavigationController> controller)
        : controller_(std::move(controller)) {}

    void pushViewController(platform::ui::ViewControllerPtr viewController,
                            bool animated) override {
        controller_->pushViewController(std::move(viewController), animated);
    }

    void dismiss(bool animated, std::function<void()> completion) override {
        controller_->dismiss(animated, std::move(completion));
    }

  private:
    std::shared_ptr<platform::ui::NavigationController> controller_;
};

}  // namespace

std::shared_ptr<NavigationControllable> NavigationControllable::of(
    std::shared_ptr<platform::ui::NavigationController> controller) {
    return std::make_shared<PlatformNavigation>(std::move(controller));
}

platform::ui::BarButtonItemPtr closeButton(std::function<void()> action) {
    auto image = Appearance::appliedImages().iconClose().image();
    return std::make_shared<platform::ui::BarButtonItem>(
        std::move(image), platform::ui::BarButtonItem::Style::plain, std::move(action));
}

}  // namespace corvend
