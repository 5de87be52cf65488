#include "CorvendCoreComponents/BottomSheetLabeling.hpp"

#include "CorvendCoreComponents/Spacing.hpp"
#include "CorvendCoreComponents/Theme.hpp"
#include "CorvendCoreComponents/ViewLayout.hpp"

namespace corvend::components {

BottomSheetLabeling::BottomSheetLabeling(BottomSheeting bottomSheeting) {
    makeWithNavigation = [sheeting = std::move(bottomSheeting)](
                             LinksLabel::Model model, std::optional<std::string> title,
                             std::function<void(const std::string&)> linkHandler,
                             std::function<void()> action) {
        auto label = std::make_shared<LinksLabel>();
        label->setNumberOfLines(0);
        label->update(std::move(model));
        label->tapHandler = std::move(linkHandler);
        auto body = std::make_shared<platform::ui::View>();
        body->setBackgroundColor(Theme::defaultTheme()->colorPalette().background.base);
        setFillingView(*body, label, Spacing::regular, Spacing::regular, Spacing::regular,
                       Spacing::regular);
        auto content = std::make_shared<platform::ui::ViewController>();
        content->setView(std::move(body));
        content->setTitle(std::move(title));
        return sheeting.makeSheet(std::move(content), std::move(action));
    };
}

}  // namespace corvend::components
