#pragma once

#include "CorvendCoreComponents/SemanticColorPalette.hpp"
#include "platform/ui/Color.hpp"

namespace corvend {

using platform::ui::ColorPtr;

// The 52 colours of an Appearance (Appearance::Colors), in four groups. Each group holds colour
// objects: copying a group shares them. The parameterless constructors make the kit's default
// colours, new objects at every call: 42 follow the interface style (dark value only when the
// traits say dark), 10 are fixed. The memberwise constructors store what they are given.
struct AppearanceColors {
    struct Background {
        Background();
        Background(ColorPtr base, ColorPtr surface, ColorPtr surfaceFocused,
                   ColorPtr surfaceDisabled, ColorPtr surfaceElevated, ColorPtr surfacePressed);

        ColorPtr base, surface, surfaceFocused, surfaceDisabled, surfaceElevated, surfacePressed;
    };

    struct Text {
        Text();
        Text(ColorPtr primary, ColorPtr primaryInverted, ColorPtr secondary,
             ColorPtr secondaryInverted, ColorPtr active, ColorPtr activeInverted, ColorPtr pressed,
             ColorPtr focused, ColorPtr disabled, ColorPtr disabledInverted);

        ColorPtr primary, primaryInverted, secondary, secondaryInverted, active, activeInverted,
            pressed, focused, disabled, disabledInverted;
    };

    struct Action {
        Action();
        Action(ColorPtr active, ColorPtr supportiveActive, ColorPtr pressed, ColorPtr selected,
               ColorPtr focused, ColorPtr activeInverted, ColorPtr inactive,
               ColorPtr inactiveSubtle, ColorPtr disabled, ColorPtr disabledSubtle);

        ColorPtr active, supportiveActive, pressed, selected, focused, activeInverted, inactive,
            inactiveSubtle, disabled, disabledSubtle;
    };

    // One colour in three strengths.
    struct ContentColor {
        ColorPtr base, intense, subtle;
    };

    struct Content {
        Content();
        Content(ContentColor informative, ContentColor positive, ContentColor attention,
                ContentColor negative, ContentColor brandPrimary, ContentColor brandSecondary,
                ContentColor brandAccent, ColorPtr elementIntense, ColorPtr separator,
                ColorPtr black, ColorPtr blackSubtle, ColorPtr white);

        ContentColor informative, positive, attention, negative, brandPrimary, brandSecondary,
            brandAccent;
        ColorPtr elementIntense, separator, black, blackSubtle, white;
    };

    // The four default groups, made in order.
    AppearanceColors();
    AppearanceColors(Background background, Text text, Action action, Content content);

    // The component library's palette: 21 of the 52 colours, the very objects (several palette
    // slots share one).
    components::SemanticColorPalette semanticColorPalette() const;

    Background background;
    Text text;
    Action action;
    Content content;
};

}  // namespace corvend
