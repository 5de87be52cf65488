#include "CorvendCoreComponents/CheckboxButton.hpp"

#include "CorvendCoreComponents/Theme.hpp"

namespace corvend::components {

using platform::ui::ControlState;

CheckboxButton::CheckboxButton() {
    setChecked(false);
}

void CheckboxButton::setChecked(bool checked) {
    setSelected(checked);
    const auto theme = Theme::defaultTheme();
    const auto& assets = theme->assets();
    setImage(assets.checkboxNotSelectedTemplate.image(), ControlState::normal);
    setImage(assets.checkboxSelectedTemplate.image(), ControlState::selected);
    setTintColor(theme->colorPalette().action.foreground.normal);
}

void CheckboxButton::handleTap() {
    setChecked(!isChecked());
    sendActions(platform::ui::ControlEvent::valueChanged);
}

void CheckboxButton::appendSnapshot(std::vector<std::string>& lines) const {
    lines.push_back(std::string("checkbox: ") + (isChecked() ? "[x]" : "[ ]") +
                    flagsText(snapshotFlags()));
}

}  // namespace corvend::components
