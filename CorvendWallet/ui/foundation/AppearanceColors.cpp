#include "CorvendWallet/ui/foundation/AppearanceColors.hpp"

#include <string>
#include <utility>

#include "CorvendCoreComponents/HexColorValue.hpp"

namespace corvend {

namespace {

using platform::ui::Color;

// The two values used most.
constexpr const char* hexBlack = "#141414";
constexpr const char* hexWhite = "#FFFFFF";

struct Hex {
    std::string value;
    double alpha = 1;
};

ColorPtr fixed(const Hex& hex) {
    return components::hexColor({hex.value, hex.alpha});
}

// The light colour is made first, then the dark one, then the dynamic colour around them.
ColorPtr dynamic(const Hex& light, const Hex& dark) {
    auto lightColor = fixed(light);
    auto darkColor = fixed(dark);
    return Color::dynamic(std::move(lightColor), std::move(darkColor));
}

}  // namespace

AppearanceColors::Background::Background()
    : Background{dynamic({"#F8F8F8"}, {hexBlack}),
                 dynamic({hexBlack, 0.05}, {hexWhite, 0.1}),
                 dynamic({hexBlack, 0.08}, {hexWhite, 0.15}),
                 dynamic({hexBlack, 0.05}, {hexWhite, 0.1}),
                 dynamic({hexWhite}, {"#2C2E2C"}),
                 dynamic({hexBlack, 0.12}, {hexWhite, 0.2})} {}

AppearanceColors::Background::Background(ColorPtr base, ColorPtr surface, ColorPtr surfaceFocused,
                                         ColorPtr surfaceDisabled, ColorPtr surfaceElevated,
                                         ColorPtr surfacePressed)
    : base(std::move(base)),
      surface(std::move(surface)),
      surfaceFocused(std::move(surfaceFocused)),
      surfaceDisabled(std::move(surfaceDisabled)),
      surfaceElevated(std::move(surfaceElevated)),
      surfacePressed(std::move(surfacePressed)) {}

AppearanceColors::Text::Text()
    : Text{dynamic({hexBlack}, {"#F5F5F5"}),  dynamic({"#F5F5F5"}, {hexBlack}),
           dynamic({"#424542"}, {"#B1B2AF"}), dynamic({"#C9CAC8"}, {"#424542"}),
           dynamic({"#054AB2"}, {"#BED4F5"}), dynamic({"#B1D2FF"}, {"#054AB2"}),
           dynamic({"#0860E3"}, {"#003F9D"}), dynamic({"#003F9D"}, {"#0860E3"}),
           dynamic({"#787D78"}, {"#B1B2AF"}), dynamic({"#B1B2AF"}, {"#787D78"})} {}

AppearanceColors::Text::Text(ColorPtr primary, ColorPtr primaryInverted, ColorPtr secondary,
                             ColorPtr secondaryInverted, ColorPtr active, ColorPtr activeInverted,
                             ColorPtr pressed, ColorPtr focused, ColorPtr disabled,
                             ColorPtr disabledInverted)
    : primary(std::move(primary)),
      primaryInverted(std::move(primaryInverted)),
      secondary(std::move(secondary)),
      secondaryInverted(std::move(secondaryInverted)),
      active(std::move(active)),
      activeInverted(std::move(activeInverted)),
      pressed(std::move(pressed)),
      focused(std::move(focused)),
      disabled(std::move(disabled)),
      disabledInverted(std::move(disabledInverted)) {}

AppearanceColors::Action::Action()
    : Action{dynamic({"#0455CD"}, {"#BED4F5"}), dynamic({"#4771ED"}, {"#7EB1FD"}),
             dynamic({"#0860E3"}, {"#B1D2FF"}), dynamic({"#E2ECF9"}, {"#052F6F"}),
             dynamic({"#003F9D"}, {"#5E9DFC"}), dynamic({"#B1D2FF"}, {"#003F9D"}),
             dynamic({"#2C2E2C"}, {"#C9CAC8"}), dynamic({"#5F615D"}, {"#B1B2AF"}),
             dynamic({"#969896"}, {"#787D78"}), dynamic({"#C9CAC8"}, {"#424542"})} {}

AppearanceColors::Action::Action(ColorPtr active, ColorPtr supportiveActive, ColorPtr pressed,
                                 ColorPtr selected, ColorPtr focused, ColorPtr activeInverted,
                                 ColorPtr inactive, ColorPtr inactiveSubtle, ColorPtr disabled,
                                 ColorPtr disabledSubtle)
    : active(std::move(active)),
      supportiveActive(std::move(supportiveActive)),
      pressed(std::move(pressed)),
      selected(std::move(selected)),
      focused(std::move(focused)),
      activeInverted(std::move(activeInverted)),
      inactive(std::move(inactive)),
      inactiveSubtle(std::move(inactiveSubtle)),
      disabled(std::move(disabled)),
      disabledSubtle(std::move(disabledSubtle)) {}

// Braces: the slots are made in field order. Status colours have a fixed base and a dynamic intense
// strength; brand colours the reverse.
AppearanceColors::Content::Content()
    : Content{{fixed({"#075BC3"}), dynamic({"#004370"}, {"#A1E1F8"}),
               dynamic({"#C0ECFA", 0.4}, {"#005670", 0.4})},
              {fixed({"#179743"}), dynamic({"#005C20"}, {"#BCF1AC"}),
               dynamic({"#BCF1AC", 0.4}, {"#005C20", 0.4})},
              {fixed({"#D66000"}), dynamic({"#934A00"}, {"#F5D280"}),
               dynamic({"#FFE8A6", 0.4}, {"#964B00", 0.4})},
              {fixed({"#D31D33"}), dynamic({"#990D00"}, {"#FFA5A5"}),
               dynamic({"#FFA5A5", 0.4}, {"#990D00", 0.4})},
              {dynamic({"#0455CD"}, {"#0860E3"}), fixed({"#003F9D"}),
               dynamic({"#F492F7", 0.3}, {"#052F6F", 0.4})},
              {dynamic({"#1CB535"}, {"#3ED157"}), fixed({"#076580"}),
               dynamic({"#BAF1BF", 0.3}, {"#00590F", 0.4})},
              {dynamic({"#FFF681"}, {"#FFF06B"}), fixed({"#FCE72C"}),
               dynamic({"#FFFCD9"}, {"#665500", 0.4})},
              dynamic({hexBlack, 0.38}, {hexWhite, 0.38}),
              dynamic({"#C9CAC8"}, {"#5F615D"}),
              fixed({hexBlack}),
              fixed({hexBlack, 0.38}),
              fixed({"#F5F5F5"})} {}

AppearanceColors::Content::Content(ContentColor informative, ContentColor positive,
                                   ContentColor attention, ContentColor negative,
                                   ContentColor brandPrimary, ContentColor brandSecondary,
                                   ContentColor brandAccent, ColorPtr elementIntense,
                                   ColorPtr separator, ColorPtr black, ColorPtr blackSubtle,
                                   ColorPtr white)
    : informative(std::move(informative)),
      positive(std::move(positive)),
      attention(std::move(attention)),
      negative(std::move(negative)),
      brandPrimary(std::move(brandPrimary)),
      brandSecondary(std::move(brandSecondary)),
      brandAccent(std::move(brandAccent)),
      elementIntense(std::move(elementIntense)),
      separator(std::move(separator)),
      black(std::move(black)),
      blackSubtle(std::move(blackSubtle)),
      white(std::move(white)) {}

AppearanceColors::AppearanceColors()
    : AppearanceColors{Background(), Text(), Action(), Content()} {}

AppearanceColors::AppearanceColors(Background background, Text text, Action action, Content content)
    : background(std::move(background)),
      text(std::move(text)),
      action(std::move(action)),
      content(std::move(content)) {}

components::SemanticColorPalette AppearanceColors::semanticColorPalette() const {
    components::SemanticColorPalette palette;
    palette.background = {background.base,
                          background.surface,
                          background.surfaceDisabled,
                          {content.blackSubtle, content.elementIntense, content.separator},
                          {background.surfaceFocused}};
    palette.labelColor = {{text.primary, text.primary, text.primaryInverted},
                          {text.secondary, text.secondary, text.secondaryInverted},
                          {text.disabled, text.disabledInverted}};
    palette.specialForeground = {content.negative.base, content.brandSecondary.base};
    const components::SemanticColorPalette::Action::Button button{action.active, action.pressed,
                                                                  action.disabledSubtle};
    palette.action = {button,
                      button,
                      {action.active, action.inactiveSubtle, action.disabled},
                      {action.activeInverted, action.pressed, action.disabledSubtle}};
    return palette;
}

}  // namespace corvend
