// wallet-cli: a host program that runs the kit against the local sandbox or a given base URL,
// either as a scripted demo session (--script) or as commands read from standard input.

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <exception>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/CorvendWallet.hpp"
#include "examples/wallet-cli/AppearanceCommands.hpp"
#include "examples/wallet-cli/CardCheckCommands.hpp"
#include "examples/wallet-cli/CardCommands.hpp"
#include "examples/wallet-cli/CardDepositCommands.hpp"
#include "examples/wallet-cli/CommandScript.hpp"
#include "examples/wallet-cli/CommandTable.hpp"
#include "examples/wallet-cli/Console.hpp"
#include "examples/wallet-cli/FxCommands.hpp"
#include "examples/wallet-cli/HistoryCommands.hpp"
#include "examples/wallet-cli/InstrumentCommands.hpp"
#include "examples/wallet-cli/LineReader.hpp"
#include "examples/wallet-cli/MoneyCommands.hpp"
#include "examples/wallet-cli/PaymentCommands.hpp"
#include "examples/wallet-cli/ProfileCommands.hpp"
#include "examples/wallet-cli/ScriptedLines.hpp"
#include "examples/wallet-cli/ScreenCommands.hpp"
#include "examples/wallet-cli/WalletCommands.hpp"
#include "platform/async/MainQueue.hpp"
#include "sandbox/Sandbox.hpp"

namespace {

using corvend::cli::CommandScript;
using corvend::cli::CommandTable;

// `card-deposit` from the program's command line: the deposit to run and, when scripted, the
// answers a person would type for a new card (or for a saved card's security code).
struct CardDepositRun {
    std::string amount;
    std::string currency;
    std::optional<std::string> savedCard;

    std::vector<std::string> step() const {
        std::vector<std::string> words{"card-deposit", amount, currency};
        if (savedCard) words.insert(words.end(), {"--saved-card", *savedCard});
        return words;
    }
    std::vector<std::string> answers() const {
        if (savedCard) return {"123", "Continue", "Confirm"};
        return {"4111111111111111", "123", "1230", "", "Add a card", "Confirm"};
    }
};

int runHost(const corvend::cli::WalletCommands::Settings& settings, bool scripted,
            const std::optional<CardDepositRun>& cardDeposit) {
    auto& queue = corvend::platform::MainQueue::shared();
    auto table = std::make_shared<CommandTable>(std::cout, std::cerr);
    std::shared_ptr<corvend::cli::LineSource> input =
        cardDeposit && scripted
            ? std::shared_ptr<corvend::cli::LineSource>(
                  std::make_shared<corvend::cli::ScriptedLines>(cardDeposit->answers()))
            : corvend::cli::LineReader::make(std::cin, queue);
    corvend::cli::CardDepositCommands::make(corvend::Wallet::instance(), input, std::cout,
                                            std::cerr)
        ->install(*table);
    corvend::cli::WalletCommands::make(corvend::Wallet::instance(), settings, std::cout, std::cerr)
        ->install(*table);
    corvend::cli::FxCommands::make(corvend::Wallet::instance(), std::cout, std::cerr)
        ->install(*table);
    corvend::cli::DepositCommands::make(corvend::Wallet::instance(), std::cout, std::cerr)
        ->install(*table);
    corvend::cli::TransferCommands::make(corvend::Wallet::instance(), std::cout, std::cerr)
        ->install(*table);
    corvend::cli::WithdrawalCommands::make(corvend::Wallet::instance(), std::cout, std::cerr)
        ->install(*table);
    corvend::cli::CardCheckCommands::install(*table, std::cout, std::cerr);
    corvend::cli::MoneyCommands::install(*table, std::cout, std::cerr);
    corvend::cli::AppearanceCommands::make(corvend::Wallet::instance(), std::cout, std::cerr)
        ->install(*table);
    corvend::cli::CardCommands::make(corvend::Wallet::instance(), std::cout, std::cerr)
        ->install(*table);
    corvend::cli::InstrumentCommands::make(corvend::Wallet::instance(), std::cout, std::cerr)
        ->install(*table);
    corvend::cli::ProfileCommands::make(corvend::Wallet::instance(), std::cout, std::cerr)
        ->install(*table);
    corvend::cli::HistoryCommands::make(corvend::Wallet::instance(), std::cout, std::cerr)
        ->install(*table);
    corvend::cli::ScreenCommands::make(corvend::Wallet::instance(), std::cout, std::cerr)
        ->install(*table);

    int exitCode = 0;
    if (cardDeposit) {
        auto script = CommandScript::make(table, queue,
                                          {{"configure", settings.configToken},
                                           {"authenticate", settings.accessToken},
                                           cardDeposit->step()});
        script->start([&](bool succeeded) {
            exitCode = succeeded ? 0 : 1;
            queue.stop();
        });
    } else if (scripted) {
        auto script = CommandScript::make(table, queue,
                                          {{"version"},
                                           {"configure", settings.configToken},
                                           {"authenticate", settings.accessToken},
                                           {"deposit", "run", "2500", "EUR"},
                                           {"transfer", "send", "2500", "EUR", "ana@example.com"},
                                           {"profile", "--include", "ACCOUNTS"},
                                           {"history", "transactions", "--limit", "5"},
                                           {"fx", "quote", "EUR", "USD"},
                                           {"cards", "issue", "Corvend-Classic", "EUR"},
                                           {"cards", "get", "last", "tokenizations"},
                                           {"instruments", "list"}});
        script->start([&](bool succeeded) {
            if (succeeded) {
                std::cout << "demo finished" << std::endl;
            } else {
                std::cerr << "demo stopped at the failure above" << std::endl;
                exitCode = 1;
            }
            queue.stop();
        });
    } else {
        const bool person = isatty(STDIN_FILENO) == 1;
        if (person) std::cout << "type 'help' for the commands" << std::endl;
        auto console =
            corvend::cli::Console::make(table, input, std::cout, person ? "wallet> " : "");
        console->start([&] { queue.stop(); });
    }
    // The host drives the main queue, as a UI toolkit's host drives its event loop.
    queue.run();
    return exitCode;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Runs the wallet kit against the local sandbox or a given base URL."};
    std::optional<std::string> baseURL;
    corvend::cli::WalletCommands::Settings settings{.configToken = "sandbox-config-token",
                                                    .accessToken = "demo-access-token"};
    bool scripted = false;
    app.add_option("--base-url", baseURL,
                   "Base URL of the wallet service; without it a local sandbox is started");
    app.add_option("--config-token", settings.configToken, "Configuration token")
        ->capture_default_str();
    app.add_option("--access-token", settings.accessToken, "The customer's access token")
        ->capture_default_str();
    app.add_flag("--script", scripted,
                 "Run the scripted demo session and exit; otherwise read commands from stdin");
    CardDepositRun cardDeposit;
    auto* cardDepositCommand =
        app.add_subcommand("card-deposit", "Run the card-deposit flow's screens in the terminal");
    cardDepositCommand->add_option("amount", cardDeposit.amount, "Amount in minor units")
        ->required();
    cardDepositCommand->add_option("currency", cardDeposit.currency, "ISO currency code")
        ->required();
    cardDepositCommand->add_option("--saved-card", cardDeposit.savedCard,
                                   "A saved card's instrument identifier");
    cardDepositCommand->fallthrough();
    CLI11_PARSE(app, argc, argv);

    try {
        std::optional<corvend::sandbox::Sandbox> sandbox;
        if (baseURL) {
            settings.baseURL = *baseURL;
        } else {
            sandbox.emplace();
            sandbox->start();
            settings.baseURL = sandbox->baseURL();
            std::cout << "local sandbox serving at " << settings.baseURL << std::endl;
        }
        return runHost(settings, scripted,
                       cardDepositCommand->parsed() ? std::optional(cardDeposit) : std::nullopt);
    } catch (const std::exception& error) {
        std::cerr << "wallet-cli: " << error.what() << std::endl;
        return 1;
    }
}
