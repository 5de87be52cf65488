#pragma once

#include "platform/ui/Color.hpp"

namespace corvend::components {

using platform::ui::ColorPtr;

// The theme's semantic colours. Every level stores the colour objects it is given, so slots
// filled from one colour share that object and a dynamic colour stays dynamic.
struct SemanticColorPalette {
    struct Background {
        struct Element {
            ColorPtr medium;
            ColorPtr strong;
            ColorPtr separator;
        };
        struct BackgroundAction {
            ColorPtr surfaceFocused;
        };
        ColorPtr base;
        ColorPtr surface;
        ColorPtr inactiveSurface;
        Element element;
        BackgroundAction backgroundAction;
    };

    struct LabelColor {
        struct Values {
            ColorPtr onBase;
            ColorPtr onSurface;
            ColorPtr onAlwaysDark;
        };
        struct TertiaryValues {
            ColorPtr onSurface;
            ColorPtr onAlwaysDark;
        };
        Values primary;
        Values secondary;
        TertiaryValues tertiary;
    };

    struct SpecialForeground {
        ColorPtr negative;
        ColorPtr brandSecondary;
    };

    struct Action {
        struct Button {
            ColorPtr normal;
            ColorPtr pressed;
            ColorPtr disabled;
        };
        struct Foreground {
            ColorPtr normal;
            ColorPtr unselected;
            ColorPtr disabled;
        };
        Button primary;
        Button secondary;
        Foreground foreground;
        Button accent;
    };

    Background background;
    LabelColor labelColor;
    SpecialForeground specialForeground;
    Action action;
};

}  // namespace corvend::components
