#pragma once

#include "CorvendCoreComponents/DreloFontTextStyle.hpp"
#include "platform/ui/Label.hpp"

namespace corvend::components {

// A label in one of the theme's text styles and a text colour.
class Label : public platform::ui::Label {
  public:
    Label(DreloFontTextStyle style, platform::ui::ColorPtr color);

    DreloFontTextStyle style() const { return style_; }

  private:
    DreloFontTextStyle style_;
};

}  // namespace corvend::components
