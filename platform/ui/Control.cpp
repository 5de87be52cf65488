#include "platform/ui/Control.hpp"

#include "platform/ui/MainThread.hpp"

namespace corvend::platform::ui {

void Control::addTarget(ControlEvent event, Action action) {
    requireMainThread("Control::addTarget");
    actions_.emplace_back(event, std::move(action));
}

void Control::sendActions(ControlEvent event) {
    requireMainThread("Control::sendActions");
    // A copy: an action may add targets or release this control's owner.
    const auto actions = actions_;
    const ViewPtr keep = weak_from_this().lock();
    for (const auto& [on, action] : actions)
        if (on == event && action) action(*this);
}

ControlState Control::state() const {
    if (!enabled_) return ControlState::disabled;
    return selected_ ? ControlState::selected : ControlState::normal;
}

bool Control::tap() {
    requireMainThread("Control::tap");
    if (!acceptsTap()) return false;
    const ViewPtr keep = weak_from_this().lock();
    if (!View::tap()) return false;
    handleTap();
    return true;
}

void Control::handleTap() {
    sendActions(ControlEvent::touchUpInside);
}

std::vector<std::string> Control::snapshotFlags() const {
    if (!enabled_) return {"disabled"};
    return {};
}

std::string Control::flagsText(const std::vector<std::string>& flags) {
    std::string text;
    for (const auto& flag : flags) text += (text.empty() ? " (" : ", ") + flag;
    return text.empty() ? text : text + ")";
}

}  // namespace corvend::platform::ui
