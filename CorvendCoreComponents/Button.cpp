#include "CorvendCoreComponents/Button.hpp"

#include "CorvendCoreComponents/Theme.hpp"

namespace corvend::components {

Button::Button() {
    applyStyle();
}

void Button::setStyle(ButtonStyle style) {
    style_ = style;
    applyStyle();
}

void Button::setEnabled(bool enabled) {
    platform::ui::Button::setEnabled(enabled);
    applyStyle();
}

void Button::setTitle(std::optional<std::string> title) {
    platform::ui::Button::setTitle(std::move(title));
}

void Button::showLoading() {
    loading_ = true;
}

void Button::hideLoading() {
    loading_ = false;
}

void Button::applyStyle() {
    const auto theme = Theme::defaultTheme();
    const auto& actions = theme->colorPalette().action;
    const auto& palette = style_ == ButtonStyle::secondary ? actions.secondary
                          : style_ == ButtonStyle::accent  ? actions.accent
                                                           : actions.primary;
    setBackgroundColor(isEnabled() ? palette.normal : palette.disabled);
    setTintColor(theme->colorPalette().labelColor.primary.onAlwaysDark);
    setCornerRadius(theme->cornerRadiusProvider().medium());
}

bool Button::acceptsTap() const {
    return !loading_ && platform::ui::Button::acceptsTap();
}

void Button::handleTap() {
    platform::ui::Button::handleTap();
    if (action) {
        const auto run = action;  // the action may replace itself
        run();
    }
}

std::vector<std::string> Button::snapshotFlags() const {
    auto flags = platform::ui::Button::snapshotFlags();
    if (loading_) flags.push_back("loading");
    return flags;
}

}  // namespace corvend::components
