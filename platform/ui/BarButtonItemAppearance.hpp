#pragma once

#include <map>
#include <optional>
#include <typeindex>

#include "platform/ui/Color.hpp"
#include "platform/ui/Control.hpp"
#include "platform/ui/Font.hpp"

namespace corvend::platform::ui {

// The appearance proxy of bar button items: what every item takes (global), or every item
// inside navigation bars of one class (contained), unless the item sets its own. Kept behind a
// lock: it may be set on any thread while the main thread draws.
struct BarButtonItemAppearance {
    ColorPtr tintColor;
    // The title font of each state (the title text attributes hold only the font).
    std::map<ControlState, Font> titleFonts;

    // The proxy of all items (`container` absent) or of the items inside bars of that class.
    static BarButtonItemAppearance get(std::optional<std::type_index> container = std::nullopt);
    static void set(BarButtonItemAppearance appearance,
                    std::optional<std::type_index> container = std::nullopt);
};

}  // namespace corvend::platform::ui
