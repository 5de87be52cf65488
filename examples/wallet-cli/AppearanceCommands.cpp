#include "examples/wallet-cli/AppearanceCommands.hpp"

#include <iomanip>
#include <ostream>
#include <sstream>
#include <utility>

#include "CorvendWallet/Screens.hpp"
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
               .minArguments = 0,
               .maxArguments = 1,
               .handler = [self = shared_from_this()](const std::vector<std::string>& arguments,
                                                      CommandTable::Done done) {
                   const auto choice = arguments.empty() ? "default" : arguments.front();
                   if (choice != "default" && choice != "dark") {
                       self->err_ << "usage: appearance [default|dark]" << std::endl;
                       return done(Outcome::failed);
                   }
                   self->wallet_.setAppearance(choice == "dark"
                                                   ? darkAppearance()
                                                   : Wallet::Appearance::defaultAppearance());
                   self->out_ << "installed the " << choice << " appearance\n"
                              << describeInstalledPalette() << std::flush;
                   done(Outcome::succeeded);
               }});
}

Wallet::Appearance AppearanceCommands::darkAppearance() {
    auto appearance = Wallet::Appearance::defaultAppearance();
    const auto& b = appearance.colors.background;
    appearance.colors.background = {darkOf(b.base),
                                    darkOf(b.surface),
                                    darkOf(b.surfaceFocused),
                                    darkOf(b.surfaceDisabled),
                                    darkOf(b.surfaceElevated),
                                    darkOf(b.surfacePressed)};
    const auto& t = appearance.colors.text;
    appearance.colors.text = {darkOf(t.primary),   darkOf(t.primaryInverted),
                              darkOf(t.secondary), darkOf(t.secondaryInverted),
                              darkOf(t.active),    darkOf(t.activeInverted),
                              darkOf(t.pressed),   darkOf(t.focused),
                              darkOf(t.disabled),  darkOf(t.disabledInverted)};
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
    std::ostringstream table;
    table << std::left << std::setw(30) << "palette slot" << std::setw(16) << "light"
          << "dark\n";
    for (const auto& [slot, color] : rows) {
        table << std::setw(30) << slot << std::setw(16) << color->description(kLight)
              << color->description(kDark) << "\n";
    }
    return table.str();
}

}  // namespace corvend::cli
