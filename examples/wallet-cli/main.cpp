// wallet-cli: a host program that runs the kit against the local sandbox or a given base URL:
// one command given on the command line, the scripted demo (--demo), or commands read from
// standard input (the REPL).

#include <fcntl.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdlib>
#include <exception>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "CorvendWallet/CorvendWallet.hpp"
#include "examples/wallet-cli/AppearanceCommands.hpp"
#include "examples/wallet-cli/CardCheckCommands.hpp"
#include "examples/wallet-cli/CardCommands.hpp"
#include "examples/wallet-cli/CardDepositCommands.hpp"
#include "examples/wallet-cli/CommandRun.hpp"
#include "examples/wallet-cli/CommandScript.hpp"
#include "examples/wallet-cli/CommandTable.hpp"
#include "examples/wallet-cli/CommandWords.hpp"
#include "examples/wallet-cli/Console.hpp"
#include "examples/wallet-cli/EditLineReader.hpp"
#include "examples/wallet-cli/FxCommands.hpp"
#include "examples/wallet-cli/HistoryCommands.hpp"
#include "examples/wallet-cli/HostSignals.hpp"
#include "examples/wallet-cli/InstrumentCommands.hpp"
#include "examples/wallet-cli/Interruptions.hpp"
#include "examples/wallet-cli/LineFitter.hpp"
#include "examples/wallet-cli/LineReader.hpp"
#include "examples/wallet-cli/MoneyCommands.hpp"
#include "examples/wallet-cli/OwnSandbox.hpp"
#include "examples/wallet-cli/PaymentCommands.hpp"
#include "examples/wallet-cli/ProfileCommands.hpp"
#include "examples/wallet-cli/ScreenCommands.hpp"
#include "examples/wallet-cli/ScriptedLines.hpp"
#include "examples/wallet-cli/SessionLines.hpp"
#include "examples/wallet-cli/TerminalModes.hpp"
#include "examples/wallet-cli/TerminalURLOpener.hpp"
#include "examples/wallet-cli/WalletCommands.hpp"
#include "platform/async/MainQueue.hpp"
#include "sandbox/Sandbox.hpp"

namespace {

using corvend::cli::CommandScript;
using corvend::cli::CommandTable;
using corvend::cli::Outcome;

// The exit status of one command: 0 when it did what it was asked, 1 when it did not, 2 for
// words that are no use of it, 130 when Ctrl-C came.
constexpr int kFailed = 1;
constexpr int kMisused = 2;
constexpr int kInterrupted = 130;

int exitStatus(Outcome outcome) {
    switch (outcome) {
        case Outcome::succeeded:
        case Outcome::quit:
            return 0;
        case Outcome::failed:
            break;
        case Outcome::misused:
            return kMisused;
    }
    return kFailed;
}

// What the program was asked to do.
struct Run {
    // One command and its words; empty for the REPL or the demo.
    std::vector<std::string> words;
    bool demo = false;
    // The host started the sandbox itself, so it knows the tokens that work.
    bool ownSandbox = false;
};

// The answers a person would type in the card-deposit screens of the demo: a new card (or a
// saved card's security code), then the 3-D Secure page and its challenge approved.
std::vector<std::string> demoAnswers(const std::vector<std::string>& words) {
    if (std::ranges::find(words, "--saved-card") != words.end())
        return {"123", "Continue", "Confirm", "Approve", "Approve"};
    return {"new card",   "4111111111111111", "1230",    "123",    "",
            "Add a card", "Confirm",          "Approve", "Approve"};
}

// The answers of the demo session's two card deposits: a new card named "Travel", kept with
// "Save this card", then that card as it is offered the second time.
std::vector<std::string> demoSessionAnswers() {
    return {"new card",   "4111111111111111",
            "1230",       "123",
            "Travel",     "[ ] Save this card for my next payments.",
            "Add a card", "Confirm",
            "Approve",    "Travel",
            "123",        "Continue",
            "Confirm",    "Approve"};
}

// `signIn` takes what configure and authenticate print.
std::shared_ptr<CommandTable> makeTable(const corvend::cli::WalletCommands::Settings& settings,
                                        const std::shared_ptr<corvend::cli::LineSource>& input,
                                        std::ostream& signIn = std::cout) {
    auto& wallet = corvend::Wallet::instance();
    // Verification pages open in the terminal: a terminal machine has no desktop browser.
    const auto opener = corvend::cli::TerminalURLOpener::make(input, std::cout);
    corvend::platform::URLOpener::setShared(opener);
    auto table = std::make_shared<CommandTable>(std::cout, std::cerr);
    corvend::cli::CardDepositCommands::make(wallet, input, std::cout, std::cerr)->install(*table);
    const auto walletCommands =
        corvend::cli::WalletCommands::make(wallet, settings, signIn, std::cerr);
    walletCommands->install(*table);
    table->setReadiness([walletCommands]() -> std::optional<std::string> {
        if (!walletCommands->isConfigured())
            return "not configured: run configure first (then authenticate)";
        // Nothing sent without a token: the service would call it expired.
        if (!walletCommands->isSignedIn()) return "not signed in: run authenticate";
        return std::nullopt;
    });
    corvend::cli::FxCommands::make(wallet, std::cout, std::cerr)->install(*table);
    corvend::cli::DepositCommands::make(wallet, std::cout, std::cerr)->install(*table);
    corvend::cli::TransferCommands::make(wallet, std::cout, std::cerr)->install(*table);
    corvend::cli::WithdrawalCommands::make(wallet, std::cout, std::cerr)->install(*table);
    corvend::cli::CardCheckCommands::install(*table, std::cout, std::cerr);
    corvend::cli::MoneyCommands::install(*table, std::cout, std::cerr);
    corvend::cli::AppearanceCommands::make(wallet, std::cout, std::cerr)->install(*table);
    corvend::cli::CardCommands::make(wallet, std::cout, std::cerr)->install(*table);
    corvend::cli::InstrumentCommands::make(wallet, opener, std::cout, std::cerr)->install(*table);
    const auto screens = corvend::cli::ScreenCommands::make(wallet, input, std::cout, std::cerr);
    corvend::cli::ProfileCommands::make(wallet, screens, std::cout, std::cerr)->install(*table);
    corvend::cli::HistoryCommands::make(wallet, std::cout, std::cerr)->install(*table);
    screens->install(*table);
    return table;
}

// `screen` fits standard output; its unfinished line is the prompt the line editor shows.
int runHost(const corvend::cli::WalletCommands::Settings& settings, const Run& run,
            corvend::cli::LineFitter& screen) {
    auto& queue = corvend::platform::MainQueue::shared();
    const corvend::cli::TerminalModes::Restorer terminalModes;
    std::shared_ptr<corvend::cli::LineSource> input;
    std::shared_ptr<corvend::cli::EditLineReader> editor;
    if (run.demo) {
        input = std::make_shared<corvend::cli::ScriptedLines>(
            run.words.empty() ? demoSessionAnswers() : demoAnswers(run.words));
    } else if (isatty(STDIN_FILENO) == 1) {
        // Ctrl-C cancels or closes, in the session and in one command alike.
        editor = corvend::cli::EditLineReader::make(queue, screen, true);
        // One command takes the terminal only if it reads: in the background it runs on.
        if (run.words.empty()) editor->takeTerminal();
        input = editor;
    } else {
        input = corvend::cli::LineReader::make(std::cin, queue);
    }
    // The prompt and every command's questions share one read at a time.
    input = corvend::cli::SessionLines::make(input);
    // Before one command, signing in is the host's own preparation: its lines go to standard
    // error, so that standard output holds the command's result alone.
    std::ostream signInLines(std::cout.rdbuf());
    const auto table = makeTable(settings, input, signInLines);
    if (editor) {
        editor->setRecallable(
            [weakTable = std::weak_ptr<const CommandTable>(table)](const std::string& line) {
                const auto commands = weakTable.lock();
                return commands && commands->recallable(CommandTable::split(line));
            });
    }
    const std::vector<CommandScript::Step> signIn{{"configure", settings.configToken},
                                                  {"authenticate", settings.accessToken}};

    int exitCode = 0;
    if (!run.words.empty()) {
        // One command: configured and authenticated first when it needs the service.
        const bool signsIn = table->needsService(run.words.front());
        if (signsIn) signInLines.rdbuf(std::cerr.rdbuf());
        auto steps = signsIn ? signIn : std::vector<CommandScript::Step>{};
        steps.push_back(run.words);
        CommandScript::make(table, queue, std::move(steps), std::cout)->start([&](Outcome outcome) {
            // Ended as in the session, then as a terminal's Ctrl-C ends a program.
            exitCode =
                corvend::cli::Interruptions::shared().came() ? kInterrupted : exitStatus(outcome);
            queue.stop();
        });
    } else if (run.demo) {
        auto steps = signIn;
        steps.insert(steps.begin(), {"version"});
        steps.insert(steps.end(), {{"deposit", "run", "25.00", "EUR"},
                                   {"transfer", "send", "25.00", "EUR", "ana@example.com"},
                                   {"profile", "--include", "ACCOUNTS"},
                                   {"history", "transactions", "--limit", "5"},
                                   {"fx", "quote", "EUR", "USD"},
                                   {"cards", "issue", "Corvend-Classic", "EUR"},
                                   {"cards", "get", "last", "tokenizations"},
                                   {"instruments", "list"},
                                   {"instruments", "verify", "SEPA_BANK_ACCOUNT",
                                    "https://wallet.example/instruments/verified"},
                                   {"card-deposit", "25.00", "EUR"},
                                   {"instruments", "list", "CARD"},
                                   {"card-deposit", "10.00", "EUR"}});
        CommandScript::make(table, queue, std::move(steps), std::cout)->start([&](Outcome outcome) {
            if (outcome == Outcome::succeeded) {
                std::cout << "demo finished" << std::endl;
            } else {
                // Output lost stopped it: said once, with what the last command did.
                if (std::cout) std::cerr << "demo stopped at the failure above" << std::endl;
                exitCode = 1;
            }
            queue.stop();
        });
    } else {
        const bool person = isatty(STDIN_FILENO) == 1;
        const auto startConsole = [&queue, table, input, person] {
            if (person) std::cout << "type 'help' for the commands" << std::endl;
            corvend::cli::Console::make(table, input, std::cout, person ? "wallet> " : "")
                ->start([&queue] { queue.stop(); });
        };
        if (run.ownSandbox) {
            // Against its own sandbox the host knows the tokens: the session starts signed in.
            CommandScript::make(table, queue, signIn, std::cout)
                ->start([startConsole](Outcome outcome) {
                    std::cout << (outcome == Outcome::succeeded
                                      ? "configured and authenticated against the local sandbox"
                                      : "could not sign in to the local sandbox: see above")
                              << std::endl;
                    startConsole();
                });
        } else {
            startConsole();
        }
    }
    // The host drives the main queue, as a UI toolkit's host drives its event loop.
    try {
        queue.run();
    } catch (const std::exception& error) {
        // Said while the command's steps are up: what it may have sent is named, as nobody
        // will see its end.
        std::cerr << corvend::cli::CommandRun::hostFailure(error.what()) << std::endl;
        return kFailed;
    }
    return exitCode;
}

// A run whose output was lost did not do what it was asked: said on standard error, and a 0
// becomes 1. Lost errors are told by the status alone.
int statusWithOutput(int status, const corvend::cli::LineFitter& screen,
                     const corvend::cli::LineFitter& errors) {
    // What the C library still holds meets its error here, not unseen at exit.
    std::cout.flush();
    if (const auto error = screen.writeError()) {
        // What the command changed was never seen: a script that runs it again would do it twice.
        std::string said = "wallet-cli: standard output could not be written: " + error.message();
        for (const auto& change : corvend::cli::CommandRun::changes()) said += "; " + change;
        std::cerr << said << std::endl;
        if (status == 0) status = kFailed;
    }
    std::cerr.flush();
    if (errors.writeError() && status == 0) status = kFailed;
    return status;
}

// Everything the program does after main has set up its writers; its exit status.
int runProgram(int argc, char** argv, corvend::cli::LineFitter& screen) {
    CLI::App app{
        "Runs the wallet kit against the local sandbox (started in-process: by the REPL at\n"
        "launch, by one command when it needs the service) or a given base URL.\n"
        "  wallet-cli [options]                    commands read one per line (the REPL)\n"
        "  wallet-cli [options] <command> [words]  one command, then exit\n"
        "  wallet-cli [options] -- <command> ...   the same; '--' ends the options\n"
        "  wallet-cli --demo                       the scripted demo session\n"
        "  wallet-cli --demo card-deposit 25 EUR   the card screens, answered by the demo\n"
        "Exit status of one command: 0 when it did what it was asked (a check found the\n"
        "number valid, a flow completed), 1 when it did not (an invalid number, a flow\n"
        "cancelled, abandoned or declined, a call that failed), 2 for a usage error,\n"
        "130 when interrupted. A run whose output could not be written exits 1.",
        "wallet-cli"};
    app.set_help_flag();
    bool help = false;
    bool version = false;
    Run run;
    std::optional<std::string> baseURL;
    corvend::cli::WalletCommands::Settings settings{.configToken = "sandbox-config-token",
                                                    .accessToken = "demo-access-token"};
    app.add_flag("-h,--help", help, "Print this help and the commands, then exit");
    app.add_flag("--version", version, "Print the kit's version and exit");
    app.add_option("--base-url", baseURL, "The service's base URL; default: a local sandbox");
    app.add_option("--config-token", settings.configToken, "Configuration token")
        ->capture_default_str();
    app.add_option("--access-token", settings.accessToken, "The customer's access token")
        ->capture_default_str();
    app.add_flag("--demo", run.demo, "The scripted demo (with card-deposit: its answers)");
    // The first word that is no option starts the command; the rest are its words.
    app.prefix_command();
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        // An option without its value, or one given twice: a usage error like any other.
        app.exit(error);
        return kMisused;
    }
    run.words = app.remaining();
    const bool optionsEnded = !run.words.empty() && run.words.front() == "--";
    if (optionsEnded) run.words.erase(run.words.begin());
    // What no option of the program and no command is: an option it does not know.
    if (!optionsEnded && !run.words.empty() && run.words.front().starts_with('-')) {
        std::cerr << "wallet-cli: unknown option '" << run.words.front()
                  << "'; 'wallet-cli --help' lists the options and the commands" << std::endl;
        return kMisused;
    }

    if (baseURL) {
        // Refused before anything starts, as any word that is no use of the program.
        try {
            corvend::cli::webAddress(*baseURL, "a base URL");
            // The kit's rule: the address resolves against it as a directory.
            if (baseURL->find_first_of("?#") != std::string::npos)
                throw std::invalid_argument(
                    "'" + *baseURL +
                    "' is not a base URL: an absolute http or https URL with no query or "
                    "fragment");
        } catch (const std::invalid_argument& error) {
            std::cerr << "wallet-cli: --base-url " << error.what() << std::endl;
            return kMisused;
        }
    }

    if (version) {
        std::cout << "wallet-cli, kit version " << corvend::Wallet::instance().version()
                  << std::endl;
        return 0;
    }
    try {
        if (help) {
            std::cout << app.help();
            makeTable(settings, corvend::cli::LineReader::make(
                                    std::cin, corvend::platform::MainQueue::shared()))
                ->printHelp(std::cout);
            return 0;
        }
        // Ctrl-C at a terminal ends what runs, not the session (see Interruptions); one command
        // ends as in the session, then exits. The other signals of a terminal are taken in the
        // same place. Taken before the sandbox starts the first thread.
        std::optional<corvend::cli::HostSignals> interrupts;
        if (!run.demo && isatty(STDIN_FILENO) == 1) {
            interrupts.emplace([] {
                corvend::cli::Interruptions::shared().arriving();
                corvend::platform::MainQueue::shared().async(
                    [] { corvend::cli::Interruptions::shared().interrupt(); });
            });
        }
        settings.oneCommand = !run.words.empty();
        std::optional<corvend::sandbox::Sandbox> sandbox;
        if (baseURL) {
            // Addresses resolve against the base as a directory: "https://host/api" would drop
            // "api" from every request.
            if (!baseURL->ends_with('/')) *baseURL += '/';
            settings.baseURL = [url = *baseURL] { return url; };
        } else {
            run.ownSandbox = true;
            // Started by the first configure: a command of the host alone (help, version,
            // money) needs none.
            settings.baseURL = [&sandbox, oneCommand = !run.words.empty()] {
                if (!sandbox) {
                    // Bounded as wallet-sandbox is: a session may run for days.
                    sandbox.emplace(corvend::cli::ownSandboxOptions());
                    sandbox->start();
                    // Before one command it is a note, on standard error like the sign-in.
                    (oneCommand ? std::cerr : std::cout)
                        << "local sandbox serving at " << sandbox->baseURL() << std::endl;
                }
                return sandbox->baseURL();
            };
        }
        return runHost(settings, run, screen);
    } catch (const std::exception& error) {
        std::cerr << "wallet-cli: " << error.what() << std::endl;
        return kFailed;
    }
}

}  // namespace

int main(int argc, char** argv) {
    // A standard stream closed at start would lend its number to the next descriptor opened, a
    // socket of the kit's. Held read-only, a closed output refuses what is written, as it would.
    for (const int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (fcntl(stream, F_GETFD) == -1 && errno == EBADF && open("/dev/null", O_RDONLY) < 0)
            break;
    }
    // Before anything changes them or a thread starts.
    corvend::cli::TerminalModes::shared().keep();
    // The line editor reads what a person types in the terminal's character set (UTF-8 for
    // "€"); before any thread starts. Only character classes: numbers and text go by ICU.
    if (isatty(STDIN_FILENO) == 1) std::setlocale(LC_CTYPE, "");
    // A write to a closed pipe fails with EPIPE, which the writers below take as any lost
    // output, rather than ending the host there with the terminal in the editor's modes.
    // The sandbox's server would ignore it too, but only once it starts.
    std::signal(SIGPIPE, SIG_IGN);
    // Every line the host writes fits the terminal it goes to, read as each line starts (80
    // columns for a file or a pipe, unless COLUMNS says otherwise).
    using corvend::cli::LineFitter;
    LineFitter screen(
        std::cout, [] { return LineFitter::terminalWidth(STDOUT_FILENO); }, STDOUT_FILENO);
    LineFitter errors(std::cerr, [] { return LineFitter::terminalWidth(STDERR_FILENO); });
    // Once Ctrl-C came, the rest of a page being printed is not waited for: the host serves it
    // within moments wherever it is.
    screen.leaveOutPageWordsWhile([] { return corvend::cli::Interruptions::shared().pending(); });
    return statusWithOutput(runProgram(argc, argv, screen), screen, errors);
}
