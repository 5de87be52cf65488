#pragma once

#include <functional>
#include <optional>
#include <string>
#include <typeindex>

#include "platform/ui/BarButtonItemAppearance.hpp"
#include "platform/ui/Image.hpp"

namespace corvend::platform::ui {

class BarButtonItem;
using BarButtonItemPtr = std::shared_ptr<BarButtonItem>;

// A button of a navigation bar. Its action stands for the platform's target and action: an
// owner that targets itself captures itself weakly.
class BarButtonItem {
  public:
    enum class Style { plain, done };

    BarButtonItem(ImagePtr image, Style style, std::function<void()> action);
    BarButtonItem(std::string title, Style style, std::function<void()> action);

    const ImagePtr& image() const { return image_; }
    const std::optional<std::string>& title() const { return title_; }
    Style style() const { return style_; }
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }
    bool isHidden() const { return hidden_; }
    void setHidden(bool hidden) { hidden_ = hidden; }
    void setTintColor(ColorPtr color) { tintColor_ = std::move(color); }

    // The own tint, else the proxy's for items inside a bar of class `bar`, else the global
    // proxy's.
    ColorPtr tintColor(std::optional<std::type_index> bar = std::nullopt) const;
    // The title font of `state` from the proxies, in the same order.
    std::optional<Font> titleFont(ControlState state,
                                  std::optional<std::type_index> bar = std::nullopt) const;

    // A person's tap; ignored (false) while disabled or hidden.
    bool tap();

    // "[title]" or "[image name]", with "(disabled)" when so.
    std::string description() const;

  private:
    ImagePtr image_;
    std::optional<std::string> title_;
    Style style_;
    std::function<void()> action_;
    ColorPtr tintColor_;
    bool enabled_ = true;
    bool hidden_ = false;
};

}  // namespace corvend::platform::ui
