#include "platform/ui/BarButtonItem.hpp"

#include "platform/ui/MainThread.hpp"

namespace corvend::platform::ui {

BarButtonItem::BarButtonItem(ImagePtr image, Style style, std::function<void()> action)
    : image_(std::move(image)), style_(style), action_(std::move(action)) {}

BarButtonItem::BarButtonItem(std::string title, Style style, std::function<void()> action)
    : title_(std::move(title)), style_(style), action_(std::move(action)) {}

ColorPtr BarButtonItem::tintColor(std::optional<std::type_index> bar) const {
    if (tintColor_) return tintColor_;
    if (bar)
        if (auto contained = BarButtonItemAppearance::get(bar).tintColor) return contained;
    return BarButtonItemAppearance::get().tintColor;
}

std::optional<Font> BarButtonItem::titleFont(ControlState state,
                                             std::optional<std::type_index> bar) const {
    for (const auto& container : {bar, std::optional<std::type_index>{}}) {
        const auto fonts = BarButtonItemAppearance::get(container).titleFonts;
        if (const auto found = fonts.find(state); found != fonts.end()) return found->second;
    }
    return std::nullopt;
}

bool BarButtonItem::tap() {
    requireMainThread("BarButtonItem::tap");
    if (!enabled_ || hidden_ || !action_) return false;
    const auto action = action_;  // the action may drop this item
    action();
    return true;
}

std::string BarButtonItem::description() const {
    std::string face = title_ ? *title_ : (image_ ? image_->name() : "");
    return "[" + face + "]" + (enabled_ ? "" : " (disabled)");
}

}  // namespace corvend::platform::ui
