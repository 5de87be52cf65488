#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>

#include "CorvendWallet/CorvendWallet.hpp"
#include "examples/wallet-cli/CommandTable.hpp"

namespace corvend::cli {

// The kit's commands: `version`, `configure` and `authenticate`. Kit calls are made in their
// completion form and their results printed from the completion, on the main thread.
class WalletCommands : public std::enable_shared_from_this<WalletCommands> {
  public:
    struct Settings {
        // The service's base URL, asked for at each configure: a local sandbox starts only
        // once a command needs it.
        std::function<std::string()> baseURL{};
        std::string configToken{};
        std::string accessToken{};
        // One command, then the program ends: there is no session to keep configured.
        bool oneCommand = false;
    };

    // `wallet`, `out` and `err` must outlive the commands.
    static std::shared_ptr<WalletCommands> make(Wallet& wallet, Settings settings,
                                                std::ostream& out, std::ostream& err);

    // Adds the commands to `table`; they keep this object alive.
    void install(CommandTable& table);

    // A configure has succeeded (and none has been started since).
    bool isConfigured() const { return configured_; }
    // An access token was handed to the kit since the latest configure succeeded.
    bool isSignedIn() const { return configured_ && signedIn_; }

    struct Passkey {};
    WalletCommands(Passkey, Wallet& wallet, Settings settings, std::ostream& out,
                   std::ostream& err);

  private:
    void version(CommandTable::Done done);
    void configure(std::string configToken, CommandTable::Done done);
    void authenticate(std::string accessToken, CommandTable::Done done);

    Wallet& wallet_;
    const Settings settings_;
    std::ostream& out_;
    std::ostream& err_;
    // Whether the latest configure succeeded: the kit drops a token given before that.
    bool configured_ = false;
    bool signedIn_ = false;
};

}  // namespace corvend::cli
