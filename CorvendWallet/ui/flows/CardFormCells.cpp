#include "CorvendWallet/ui/flows/CardFormCells.hpp"

#include <memory>
#include <utility>

#include "CorvendWallet/ui/foundation/Appearance.hpp"
#include "platform/ui/TapGestureRecognizer.hpp"

namespace corvend {

void showBottomText(components::TextField& field, const FieldBottomText& bottomText) {
    if (bottomText.kind == FieldBottomText::Kind::error) {
        field.setHasError(true);
        field.setErrorText(bottomText.text);
    } else {
        field.setHasError(false);
        field.setHelperText(bottomText.text);
    }
}

void showText(platform::ui::TextField& field, const std::string& text) {
    if (field.text() != text) field.setText(text);
}

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
