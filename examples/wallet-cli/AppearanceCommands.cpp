#include "examples/wallet-cli/AppearanceCommands.hpp"

#include <algorithm>
#include <ostream>
#include <utility>
#include <vector>

#include "CorvendWallet/Screens.hpp"
#include "examples/wallet-cli/CommandWords.hpp"
#include "examples/wallet-cli/TerminalText.hpp"
#include "platform/ui/Traits.hpp"

namespace corvend::cli {

namespace {

using platform::ui::ColorPtr;
using platform::ui::Traits;
using platform::ui::UserInterfaceStyle;

constexpr Traits kLight{UserInterfaceStyle::light};
constexpr Traits kDark{UserInterfaceStyle::dark};

ColorPtr darkOf(const ColorPtr& color) {
    return color->resolved(kDark);
}

}  // namespace

std::shared_ptr<AppearanceCommands> AppearanceCommands::make(Wallet& wallet, std::ostream& out,
                                                             std::ostream& err) {
    return std::make_shared<AppearanceCommands>(Passkey{}, wallet, out, err);
}

AppearanceCommands::AppearanceCommands(Passkey, Wallet& wallet, std::ostream& out,
                                       std::ostream& err)
    : wallet_(wallet), out_(out), err_(err) {}

void AppearanceCommands::install(CommandTable& table) {
    table.add({.name = "appearance",
               .usage = "[default|dark]",
               .summary = "install the default or a dark appearance and print its palette",
               .meanings = {{"[default|dark]", "the appearance to install; default when left out"}},
               .minArguments = 0,
               .maxArguments = 1,
               .handler =
                   [self = shared_from_this()](const std::vector<std::string>& arguments,
                                               CommandTable::Done done) {
                       const std::string choice = arguments.empty()                   ? "default"
                                                  : sameWord(arguments[0], "dark")    ? "dark"
                                                  : sameWord(arguments[0], "default") ? "default"
                                                                                      : "";
                       if (choice.empty()) {
                           self->err_ << "usage: appearance [default|dark]" << std::endl;
                           return done(Outcome::misused);
                       }
                       self->wallet_.setAppearance(choice == "dark"
                                                       ? darkAppearance()
                                                       : Wallet::Appearance::defaultAppearance());
                       self->out_ << "installed the " << choice << " appearance\n"
                                  << describeInstalledPalette() << std::flush;
                       done(Outcome::succeeded);
                   },
               .offline = true});
}

Wallet::Appearance AppearanceCommands::darkAppearance() {
    // Every one of the 52 colours takes its dark value, so no group stays light.
    auto appearance = Wallet::Appearance::defaultAppearance();
    auto& background = appearance.colors.background;
    auto& text = appearance.colors.text;
    auto& action = appearance.colors.action;
    auto& content = appearance.colors.content;
    std::vector<ColorPtr*> colors{&background.base,
                                  &background.surface,
                                  &background.surfaceFocused,
                                  &background.surfaceDisabled,
                                  &background.surfaceElevated,
                                  &background.surfacePressed,
                                  &text.primary,
                                  &text.primaryInverted,
                                  &text.secondary,
                                  &text.secondaryInverted,
                                  &text.active,
                                  &text.activeInverted,
                                  &text.pressed,
                                  &text.focused,
                                  &text.disabled,
                                  &text.disabledInverted,
                                  &action.active,
                                  &action.supportiveActive,
                                  &action.pressed,
                                  &action.selected,
                                  &action.focused,
                                  &action.activeInverted,
                                  &action.inactive,
                                  &action.inactiveSubtle,
                                  &action.disabled,
                                  &action.disabledSubtle,
                                  &content.elementIntense,
                                  &content.separator,
                                  &content.black,
                                  &content.blackSubtle,
                                  &content.white};
    for (auto* strengths :
         {&content.informative, &content.positive, &content.attention, &content.negative,
          &content.brandPrimary, &content.brandSecondary, &content.brandAccent}) {
        colors.insert(colors.end(), {&strengths->base, &strengths->intense, &strengths->subtle});
    }
    for (ColorPtr* color : colors) *color = darkOf(*color);
    return appearance;
}

std::string AppearanceCommands::describeInstalledPalette() {
    const auto& palette = Wallet::Theme::defaultTheme()->colorPalette();
    const std::pair<const char*, ColorPtr> rows[] = {
        {"background.base", palette.background.base},
        {"background.surface", palette.background.surface},
        {"background.element.separator", palette.background.element.separator},
        {"labelColor.primary.onBase", palette.labelColor.primary.onBase},
        {"labelColor.secondary.onBase", palette.labelColor.secondary.onBase},
        {"specialForeground.negative", palette.specialForeground.negative},
        {"action.primary.normal", palette.action.primary.normal},
        {"action.accent.normal", palette.action.accent.normal},
    };
    // Padded by what a terminal shows, not by bytes: "α" takes two bytes and one column.
    const auto padded = [](std::string text, std::size_t columns) {
        const std::size_t shown = TerminalText::columns(text);
        if (shown < columns) text.append(columns - shown, ' ');
        return text;
    };
    std::string table = padded("palette slot", 30) + padded("light", 16) + "dark\n";
    for (const auto& [slot, color] : rows) {
        table += padded(slot, 30) + padded(color->description(kLight), 16) +
                 color->description(kDark) + "\n";
    }
    return table;
}

}  // namespace corvend::cli
