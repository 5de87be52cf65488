#pragma once

#include <map>

#include "CorvendCoreComponents/DreloFontTextStyle.hpp"
#include "platform/ui/Font.hpp"

namespace corvend::components {

struct FontDescription {
    platform::ui::Font font;
    double size = 0;
    double lineHeight = 0;
    double baselineOffset = 0;
};

// The fonts of the text styles: the given ones, and for a style without one the system's
// preferred font of the Dynamic Type style the library pairs with it.
class FontDescriptionsProvider {
  public:
    explicit FontDescriptionsProvider(
        const std::map<DreloFontTextStyle, platform::ui::Font>& textStyles = {});

    FontDescription description(DreloFontTextStyle style) const;
    // The style's font, scaled for Dynamic Type.
    platform::ui::Font scaledFont(DreloFontTextStyle style) const;

    // The Dynamic Type style that `style` falls back to and scales with.
    static platform::ui::DynamicTextStyle pairedDynamicStyle(DreloFontTextStyle style);

  private:
    std::map<DreloFontTextStyle, FontDescription> descriptions_;
};

}  // namespace corvend::components
