#include "examples/wallet-cli/WalletCommands.hpp"

#include <ostream>
#include <utility>

#include "CorvendWallet/CorvendWallet.hpp"
#include "examples/wallet-cli/CommandRun.hpp"
#include "examples/wallet-cli/CommandWords.hpp"

namespace corvend::cli {

std::shared_ptr<WalletCommands> WalletCommands::make(Wallet& wallet, Settings settings,
                                                     std::ostream& out, std::ostream& err) {
    return std::make_shared<WalletCommands>(Passkey{}, wallet, std::move(settings), out, err);
}

WalletCommands::WalletCommands(Passkey, Wallet& wallet, Settings settings, std::ostream& out,
                               std::ostream& err)
    : wallet_(wallet), settings_(std::move(settings)), out_(out), err_(err) {}

void WalletCommands::install(CommandTable& table) {
    auto self = shared_from_this();
    table.add({.name = "version",
               .usage = "",
               .summary = "show the kit's version",
               .handler = [self](const std::vector<std::string>&,
                                 CommandTable::Done done) { self->version(std::move(done)); },
               .offline = true});
    table.add({.name = "configure",
               .usage = "[config-token]",
               .summary = "configure the kit against the base URL",
               .meanings = {{"[config-token]",
                             "the token the service configures the kit with; the one given "
                             "with --config-token when left out"}},
               .maxArguments = 1,
               .handler =
                   [self](const std::vector<std::string>& arguments, CommandTable::Done done) {
                       self->configure(
                           arguments.empty() ? self->settings_.configToken : arguments.front(),
                           std::move(done));
                   },
               .offline = true,
               .secretWords = {"[config-token]"}});
    table.add({.name = "authenticate",
               .usage = "[access-token]",
               .summary = "hand the customer's access token to the kit",
               .meanings = {{"[access-token]",
                             "the customer's access token; the one given with --access-token "
                             "when left out"}},
               .maxArguments = 1,
               .handler =
                   [self](const std::vector<std::string>& arguments, CommandTable::Done done) {
                       self->authenticate(
                           arguments.empty() ? self->settings_.accessToken : arguments.front(),
                           std::move(done));
                   },
               .offline = true,
               .secretWords = {"[access-token]"}});
}

void WalletCommands::version(CommandTable::Done done) {
    out_ << "kit version " << wallet_.version() << std::endl;
    done(Outcome::succeeded);
}

void WalletCommands::configure(std::string configToken, CommandTable::Done done) {
    configured_ = false;
    signedIn_ = false;
    const std::string baseURL = settings_.baseURL();
    out_ << "configuring against " << baseURL << std::endl;
    // Every configure clears the customer's token first: stopped, the session is left so. One
    // command has no session: it ends there, and the next one configures anew.
    if (const auto run = CommandRun::current())
        run->tell(settings_.oneCommand
                      ? "the program ends unconfigured; a command run next configures anew"
                      : "the session is no longer configured or signed in: run configure, then "
                        "authenticate");
    call([&wallet = wallet_,
          configuration = Wallet::Configuration(
              std::move(configToken), baseURL)] { return wallet.configure(configuration); },
         [self = shared_from_this(),
          done = std::move(done)](Result<Wallet::ConfigurationResult> result) {
             if (!result) {
                 const auto refused = result.error().as<Wallet::ConfigurationError>();
                 self->err_ << (refused ? descriptionText(result.error())
                                        : errorText(result.error()))
                            << std::endl;
                 done(Outcome::failed);
                 return;
             }
             self->configured_ = true;
             self->out_ << "configured, fingerprint " << result->digitalFingerprint << std::endl;
             done(Outcome::succeeded);
         });
}

void WalletCommands::authenticate(std::string accessToken, CommandTable::Done done) {
    if (!configured_) {
        // The kit drops such a token silently; say so rather than pretend it took.
        err_ << "not configured: run 'configure' first, the kit drops a token given before it"
             << std::endl;
        done(Outcome::failed);
        return;
    }
    wallet_.authenticate({.accessToken = std::move(accessToken)});
    signedIn_ = true;
    out_ << "authenticated: the access token is handed to the kit" << std::endl;
    done(Outcome::succeeded);
}

}  // namespace corvend::cli
