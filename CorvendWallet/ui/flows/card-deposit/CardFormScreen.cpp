#include "CorvendWallet/ui/flows/card-deposit/CardFormScreen.hpp"

#include <utility>

#include "CorvendWallet/ui/foundation/Appearance.hpp"
#include "platform/ui/TapGestureRecognizer.hpp"

namespace corvend {

platform::ui::BarButtonItemPtr cardFormInfoButton(std::function<void()> action) {
    return std::make_shared<platform::ui::BarButtonItem>(
        Appearance::appliedImages().iconInfo().image(), platform::ui::BarButtonItem::Style::plain,
        std::move(action));
}

void addDismissKeyboardGesture(platform::ui::ViewController& viewController) {
    const platform::ui::ViewPtr view = viewController.view();
    const std::weak_ptr<platform::ui::View> weakView = view;
    auto recognizer = std::make_shared<platform::ui::TapGestureRecognizer>([weakView] {
        if (const auto view = weakView.lock()) view->endEditing(true);
    });
    recognizer->setCancelsTouchesInView(false);
    view->addGestureRecognizer(recognizer);
}

}  // namespace corvend
