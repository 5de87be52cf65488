#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "CorvendWallet/CorvendWallet.hpp"
#include "examples/wallet-cli/CommandTable.hpp"

namespace corvend::cli {

// `appearance [default|dark]`: installs the kit's default appearance, or one whose background
// and text colours are fixed to their dark values, and prints a few slots of the installed
// palette as they show in light and in dark mode.
class AppearanceCommands : public std::enable_shared_from_this<AppearanceCommands> {
  public:
    // `wallet`, `out` and `err` must outlive the commands.
    static std::shared_ptr<AppearanceCommands> make(Wallet& wallet, std::ostream& out,
                                                    std::ostream& err);

    // Adds `appearance` to `table`; it keeps this object alive.
    void install(CommandTable& table);

    // The default appearance with its background and text colours fixed to their dark values.
    static Wallet::Appearance darkAppearance();

    // The table of the installed palette: one line per slot, "<slot> <light> <dark>".
    static std::string describeInstalledPalette();

    struct Passkey {};
    AppearanceCommands(Passkey, Wallet& wallet, std::ostream& out, std::ostream& err);

  private:
    Wallet& wallet_;
    std::ostream& out_;
    std::ostream& err_;
};

}  // namespace corvend::cli
