#include "CorvendCoreComponents/BottomSheet.hpp"

#include "CorvendCoreComponents/ThemedNavigationBar.hpp"

namespace corvend::components {

std::shared_ptr<BottomSheet> BottomSheet::make(platform::ui::ViewControllerPtr content,
                                               std::function<void()> onClose) {
    auto sheet = std::make_shared<BottomSheet>(std::make_shared<ThemedNavigationBar>());
    if (!content) content = std::make_shared<platform::ui::ViewController>();
    const std::weak_ptr<BottomSheet> weakSheet = sheet;
    content->navigationItem().rightBarButtonItem = std::make_shared<platform::ui::BarButtonItem>(
        platform::ui::Image::system("xmark"), platform::ui::BarButtonItem::Style::plain,
        [weakSheet, onClose = std::move(onClose)] {
            // Once the sheet is off the screen its button does nothing more.
            const auto sheet = weakSheet.lock();
            if (sheet && sheet->presentingViewController()) sheet->dismiss(true, onClose);
        });
    sheet->pushViewController(std::move(content), false);
    return sheet;
}

}  // namespace corvend::components
