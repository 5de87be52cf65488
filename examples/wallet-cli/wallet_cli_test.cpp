// End to end: runs the built wallet-cli program and reads what it prints.

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <stdio.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <utmp.h>

#include <algorithm>
#include <array>
#include <boost/json/parse.hpp>
#include <chrono>
#include <clocale>
#include <csignal>
#include <cstdint>
#include <cwchar>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "CorvendWallet/CorvendWallet.hpp"
#include "CorvendWallet/Screens.hpp"
#include "sandbox/Sandbox.hpp"
#include "tests/support/ProgramRun.hpp"

namespace {

using ::testing::AnyOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

// Standard output on a full disk; standard error read.
constexpr const char* kOutputLost = " 2>&1 >/dev/full";
constexpr const char* kOutputLostSays =
    "wallet-cli: standard output could not be written: No space left on device";

// Standard output and error together, or standard output alone.
using CliRun = corvend::testing::ProgramRun;

// Where no terminal says its width, the host fits its lines to COLUMNS: the rows below expect
// 80 columns, whatever the shell that runs them exports.
[[maybe_unused]] const int kColumnsUnset = unsetenv("COLUMNS");

std::string quoted(const std::string& word) {
    std::string result = "'";
    for (char c : word) result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

// Runs wallet-cli with `arguments` and `input` on its standard input, reading its standard
// output and, with `errorsToo`, its standard error; `streams`, when given, says instead where they
// go (kOutputLost). A run that never ends (a session stalled for good) is stopped after 90 s and
// fails with status 124.
CliRun runCli(const std::vector<std::string>& arguments, const std::string& input = "",
              bool errorsToo = true, const std::string& streams = "") {
    std::string command =
        "printf '%s' " + quoted(input) + " | timeout 90 " + quoted(WALLET_CLI_PATH);
    for (const auto& argument : arguments) command += " " + quoted(argument);
    command += !streams.empty() ? streams : errorsToo ? " 2>&1" : " 2>/dev/null";
    return corvend::testing::runProgram(command);
}

// Runs wallet-cli on a pseudo-terminal, as a person at a terminal starts it, with `input` typed
// at once; returns what the terminal showed once the program has ended.
CliRun runInTerminal(const std::vector<std::string>& arguments, const std::string& input) {
    std::vector<std::string> words{WALLET_CLI_PATH};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    int terminal = -1;
    const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (child < 0) throw std::runtime_error("forkpty failed");
    if (child == 0) {
        execv(argv[0], argv.data());
        _exit(127);
    }
    CliRun run;
    if (write(terminal, input.data(), input.size()) != static_cast<ssize_t>(input.size()))
        throw std::runtime_error("cannot type into the terminal");
    // Read until the program has gone (the terminal then reports an error); bounded so a
    // stalled program fails the test instead of hanging it.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(90);
    std::array<char, 4096> buffer{};
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd ready{.fd = terminal, .events = POLLIN, .revents = 0};
        if (poll(&ready, 1, 1000) <= 0) continue;
        const ssize_t read = ::read(terminal, buffer.data(), buffer.size());
        if (read <= 0) break;
        run.output.append(buffer.data(), static_cast<std::size_t>(read));
    }
    close(terminal);
    int status = 0;
    if (waitpid(child, &status, WNOHANG) == 0) kill(child, SIGKILL);
    waitpid(child, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// `amount` minor units as the kit's money formatter shows them in this environment.
std::string money(std::int64_t amount, const std::string& currency) {
    return corvend::Wallet::MoneyFormatter().format(amount, currency);
}

// The lines of `text` wider than `columns` as a terminal shows them, counted as the C library
// counts them in UTF-8: a CJK character takes two.
std::vector<std::string> linesWiderThan(const std::string& text, std::size_t columns) {
    const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    const locale_t before = uselocale(utf8);
    std::vector<std::string> wide;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::size_t shown = 0;
        std::mbstate_t state{};
        for (std::size_t at = 0; at < line.size();) {
            wchar_t c = 0;
            const std::size_t length = std::mbrtowc(&c, line.data() + at, line.size() - at, &state);
            const bool character = length != 0 && length <= line.size() - at;
            shown += character ? static_cast<std::size_t>(std::max(wcwidth(c), 0)) : 1;
            at += character ? length : 1;
            if (!character) state = {};
        }
        if (shown > columns) wide.push_back(line);
    }
    uselocale(before);
    freelocale(utf8);
    return wide;
}

// `text` with every run of blanks and line ends as one blank: a message as it reads, wherever
// the host cut its lines to fit the terminal.
std::string flowing(const std::string& text) {
    static const std::regex blanks(R"(\s+)");
    return std::regex_replace(text, blanks, " ");
}

std::size_t countOf(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// A completed verification session, but another than the one a page was opened for.
constexpr const char* kOtherVerification =
    R"({"id":"ivs-OTHER","instrumentType":"UK_BANK_ACCOUNT","sessionStatus":"COMPLETED",)"
    R"("returnUrl":"https://wallet.example/verified","redirectUrl":"https://wallet.example/",)"
    R"("creationTime":"2024-03-28T10:00:00.000Z","expirationTime":"2024-03-28T10:30:00.000Z"})";

TEST(WalletCliTest, ScriptedSessionAgainstTheEmbeddedSandboxSucceeds) {
    const CliRun run = runCli({"--demo"});
    ASSERT_EQ(run.exitCode, 0) << run.output;

    static const std::regex versionLine(R"(kit version (\S+)\n)");
    std::smatch version;
    ASSERT_TRUE(std::regex_search(run.output, version, versionLine)) << run.output;
    EXPECT_EQ(version[1], WALLET_CLI_EXPECTED_VERSION);

    static const std::regex fingerprint(
        R"(configured, fingerprint ([0-9a-fA-F]{32}|[0-9a-fA-F]{8}(-[0-9a-fA-F]{4}){3}-[0-9a-fA-F]{12})\n)");
    EXPECT_TRUE(std::regex_search(run.output, fingerprint)) << run.output;
    EXPECT_THAT(run.output, HasSubstr("authenticated"));
    const auto configured = run.output.find("configured, fingerprint");
    const auto finished = run.output.find("demo finished");
    ASSERT_NE(finished, std::string::npos) << run.output;
    EXPECT_LT(configured, finished);
    // The profile and the first history page, which shows the demo's own deposit and transfer.
    EXPECT_THAT(run.output, HasSubstr("customer cus-sandbox-1: Ana Novak, born 1990-05-17"));
    EXPECT_THAT(run.output,
                HasSubstr("transaction txn-tr-1: " + money(-2500, "EUR") + " TRANSFER, COMPLETED"));
    EXPECT_THAT(run.output,
                HasSubstr("transaction txn-dep-1: " + money(2500, "EUR") + " DEPOSIT, COMPLETED"));
    // The instrument verification, and a card kept on one card deposit offered on the next.
    EXPECT_THAT(run.output, HasSubstr("verification ivs-1 SEPA_BANK_ACCOUNT COMPLETED"));
    EXPECT_THAT(run.output, HasSubstr("pay with:\n  [1] Visa ending 1111"));
    EXPECT_THAT(run.output, HasSubstr("] Travel: 411111******1111, expires 12/2030"));
    EXPECT_EQ(countOf(run.output, "card deposit result: completed"), 2u);
}

// The profile and history commands send their blocks and filters in the order given, and
// refuse a word they cannot read before anything is sent.
TEST(WalletCliTest, ProfileAndHistoryCommandsSendTheirBlocksAndFilters) {
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    const CliRun run = runCli(
        {"--base-url", sandbox.baseURL()},
        "configure\nauthenticate t\nprofile --include CONTACTINFO --include ACCOUNTS "
        "--include CONTACTINFO\nprofile --include contact\nhistory transactions --type NOPE\n"
        "history authorizations --limit 2 --status APPROVED --from 2024-03-20\n"
        "history transactions --limit x\naccounts add USD\nkyc status\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_THAT(run.output, HasSubstr("'contact' is not a profile block: one of ACCOUNTS,"));
    EXPECT_THAT(run.output, HasSubstr("'NOPE' is not a transaction type: one of DEPOSIT, "
                                      "WITHDRAWAL, TRANSFER"));
    EXPECT_THAT(run.output, HasSubstr("2 authorizations of 6"));
    EXPECT_THAT(run.output, HasSubstr("account acc-1: " + money(0, "USD") + ", 0 instruments"));
    EXPECT_THAT(run.output, HasSubstr("kyc IN_PROGRESS"));
    std::vector<std::string> sent;
    for (const auto& request : sandbox.requests()) {
        if (request.path.starts_with("/digitalwallets/v1/profile")) sent.push_back(request.target);
    }
    EXPECT_THAT(sent, ElementsAre("/digitalwallets/v1/profile?include=CONTACTINFO&include=ACCOUNTS"
                                  "&include=CONTACTINFO",
                                  "/digitalwallets/v1/profile/authorizations?limit=2"
                                  "&startDate=2024-03-20T00%3A00%3A00.000Z&status=APPROVED",
                                  "/digitalwallets/v1/profile/accounts",
                                  "/digitalwallets/v1/profile/kyc/status"));
}

TEST(WalletCliTest, ScriptedSessionStopsOnARefusedConfigurationToken) {
    const CliRun run = runCli({"--demo", "--config-token", "not-the-sandbox-token"});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_THAT(run.output, HasSubstr("Invalid configuration token [C0003]"));
    EXPECT_THAT(run.output, Not(HasSubstr("demo finished")));
    EXPECT_THAT(run.output, Not(HasSubstr("authenticated")));
}

// Lines run in order until quit; a payment command sends what its words say, and one whose
// amount or count cannot be read stops before anything is sent.
TEST(WalletCliTest, RunsCommandsReadFromStandardInputUntilQuitSendingWhatTheWordsSay) {
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    const CliRun run = runCli({"--base-url", sandbox.baseURL()},
                              "help\nbogus\nauthenticate\nconfigure\nauthenticate\n"
                              "deposit run 12abc EUR\ntransfer send 1.505 EUR ana@example.com\n"
                              "withdrawal preview -5 EUR CARD\ndeposit preview +5 EUR\n"
                              "withdrawal preview 92233720368547758.08 EUR CARD\n"
                              "withdrawal preview 2,500 EUR CARD\ntransfer list 5x\n"
                              "withdrawal options\nwithdrawal preview 25 EUR VELNO_TRANSFER cli-1\n"
                              "withdrawal create wd-1\nwithdrawal confirm wd-1\n"
                              "withdrawal list 5 0 cli-1\nquit\nwithdrawal get wd-1\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_THAT(run.output, Not(HasSubstr("local sandbox")));
    EXPECT_THAT(run.output, HasSubstr("configure [config-token]"));
    EXPECT_THAT(run.output, HasSubstr("unknown command 'bogus'"));
    // A token before the first configure would be dropped by the kit: said, not hidden.
    EXPECT_THAT(run.output, HasSubstr("not configured"));
    EXPECT_EQ(countOf(run.output, "authenticated:"), 1u) << run.output;
    EXPECT_EQ(countOf(run.output, "is not an amount in EUR"), 6u) << run.output;
    EXPECT_EQ(countOf(run.output, "is not a whole number"), 1u) << run.output;
    EXPECT_THAT(run.output, HasSubstr("3 withdrawal options"));
    EXPECT_THAT(run.output, HasSubstr("1 withdrawal of 1\nwithdrawal wd-1: " + money(2500, "EUR") +
                                      " by VELNO_TRANSFER, PROCESSING\n"));

    // Nothing after quit is sent.
    const std::string withdrawals = "/digitalwallets/v1/profile/withdrawals";
    std::vector<std::string> sent;
    for (const auto& request : sandbox.requests()) {
        if (request.path.starts_with("/digitalwallets/v1/profile/")) {
            sent.push_back(request.method + " " + request.target);
        }
    }
    EXPECT_THAT(sent, ElementsAre("GET " + withdrawals + "/options", "POST " + withdrawals,
                                  "POST " + withdrawals + "/wd-1/status",
                                  "POST " + withdrawals + "/wd-1/status",
                                  "GET " + withdrawals + "?limit=5&merchantRefNum=cli-1&offset=0"));

    // Nor anything once the output is lost: the configure whose first words were lost sends
    // nothing, and no command runs after it.
    const auto before = sandbox.requests().size();
    const CliRun lost = runCli({"--base-url", sandbox.baseURL()},
                               "configure\nauthenticate\ncards list\n", true, kOutputLost);
    EXPECT_EQ(lost.exitCode, 1) << lost.output;
    EXPECT_THAT(flowing(lost.output), HasSubstr(kOutputLostSays));
    EXPECT_EQ(sandbox.requests().size(), before);
}

TEST(WalletCliTest, AppearanceInstallsTheDefaultOrADarkLookAndPrintsThePalette) {
    const CliRun run = runCli({}, "appearance dark\nappearance\nappearance bright\n");
    const std::regex darkBase(R"(dark appearance\n(.*\n)*background\.base +#141414 +#141414)");
    const std::regex defaultBase(
        R"(default appearance\n(.*\n)*background\.base +#F8F8F8 +#141414)");
    EXPECT_TRUE(std::regex_search(run.output, darkBase)) << run.output;
    EXPECT_TRUE(std::regex_search(run.output, defaultBase)) << run.output;
    // Fixed colours show the same in both modes, whichever appearance is installed.
    EXPECT_EQ(countOf(run.output, "#D31D33         #D31D33"), 2u);
    EXPECT_THAT(run.output, HasSubstr("usage: appearance [default|dark]"));
}

// The dark appearance is dark in every group (the actions too), and the palette's columns line
// up on a terminal although "α" takes two bytes.
TEST(WalletCliTest, TheDarkAppearanceIsWholeAndItsPaletteLinesUp) {
    const CliRun run = runCli({}, "appearance dark\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const std::regex darkAction(R"(action\.primary\.normal +(#[0-9A-F]{6}) +\1\n)");
    EXPECT_TRUE(std::regex_search(run.output, darkAction)) << run.output;
    std::istringstream lines(run.output.substr(run.output.find("palette slot")));
    std::vector<long> darkColumns;
    for (std::string line; std::getline(lines, line);) {
        // The dark column starts where the header's "dark" does: count what a terminal shows.
        const std::string head = line.substr(0, line.rfind("  ") + 2);
        darkColumns.push_back(
            std::ranges::count_if(head, [](char c) { return (c & 0xC0) != 0x80; }));
    }
    ASSERT_GT(darkColumns.size(), 2u);
    EXPECT_TRUE(std::ranges::all_of(darkColumns, [&](long c) { return c == darkColumns.front(); }))
        << run.output;
    EXPECT_THAT(run.output, HasSubstr("α"));
}

// Amounts are typed in the currency's major units and read by one strict parser, exactly; every
// amount printed goes through the kit's money formatter.
TEST(WalletCliTest, AmountsAreTypedInMajorUnitsAndPrintedAsMoney) {
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    const CliRun run = runCli({"--base-url", sandbox.baseURL()},
                              "configure\nauthenticate\n"
                              "deposit preview 25.005 EUR\ndeposit preview 12abc EUR\n"
                              "deposit preview -3 EUR\ndeposit preview 1e3 EUR\n"
                              "deposit preview 92233720368547758.08 EUR\n"
                              "deposit preview 25. EUR\ndeposit preview 25.5 JPY\n"
                              "card-deposit 12abc EUR\n"
                              "deposit preview 25.5 EUR\ndeposit preview 2500 JPY\n"
                              "deposit preview 92233720368547758.07 EUR\n");
    EXPECT_EQ(countOf(run.output, "is not an amount in EUR"), 7u) << run.output;
    EXPECT_EQ(countOf(run.output, "is not an amount in JPY"), 1u) << run.output;
    EXPECT_THAT(run.output, Not(HasSubstr("stoll")));
    EXPECT_THAT(run.output, HasSubstr("preview deposit dep-1: " + money(2550, "EUR")));
    EXPECT_THAT(run.output, HasSubstr("preview deposit dep-2: " + money(2500, "JPY")));
    std::vector<std::string> amounts;
    for (const auto& request : sandbox.requests()) {
        if (request.method != "POST" || !request.path.ends_with("/deposits")) continue;
        static const std::regex amount(R"re("amount":(\d+))re");
        std::smatch found;
        if (std::regex_search(request.body, found, amount)) amounts.push_back(found[1]);
    }
    EXPECT_THAT(amounts, ElementsAre("2550", "2500", "9223372036854775807"));

    // A code the formatter cannot place (an unknown one, a padded one) or the host would refuse
    // on input is said as minor units, never as a number a hundred times the amount.
    for (const auto& [id, code] : {std::pair{"dep-u", "USDC"},
                                   {"dep-p", "EUR "},
                                   {"dep-b", "BTC"},
                                   {"dep-e", "ETH"},
                                   {"dep-s", "SOL"},
                                   {"dep-l", "LTC"},
                                   {"dep-x", "XRP"},
                                   {"dep-d", "DOG"}}) {
        sandbox.store().put(
            "deposits", id,
            boost::json::parse(
                R"({"id":")" + std::string(id) + R"(","amount":50000,"currencyCode":")" + code +
                R"(","paymentOption":"BANK_TRANSFER","customerId":"cus-sandbox-1",)"
                R"("accountId":"acc-sandbox-1","creationTime":"2024-03-28T10:00:00.000Z",)"
                R"("transferDetails":{},"status":"COMPLETED"})"));
        const CliRun read = runCli({"--base-url", sandbox.baseURL(), "deposit", "get", id});
        EXPECT_THAT(read.output, HasSubstr(std::string(id) + R"(: 50000 minor units of ")" + code +
                                           R"(" by BANK_TRANSFER, COMPLETED)"))
            << read.output;
    }
}

// One command from the command line (signed in to the local sandbox first), help that fits
// 80 columns, the version, and an exit status that tells a failure.
TEST(WalletCliTest, RunsOneCommandFromTheCommandLineAndHelpsAtEightyColumns) {
    const CliRun cards = runCli({"cards", "list"});
    EXPECT_EQ(cards.exitCode, 0) << cards.output;
    EXPECT_THAT(cards.output, HasSubstr("authenticated"));
    EXPECT_THAT(cards.output, HasSubstr("0 cards"));
    const CliRun failed = runCli({"cards", "get", "card-none"});
    EXPECT_NE(failed.exitCode, 0) << failed.output;
    EXPECT_THAT(failed.output, HasSubstr("cards get failed"));
    EXPECT_NE(runCli({"bogus"}).exitCode, 0);

    const CliRun version = runCli({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.output, "wallet-cli, kit version " WALLET_CLI_EXPECTED_VERSION "\n");

    const CliRun options = runCli({"--help"});
    EXPECT_EQ(options.exitCode, 0);
    EXPECT_THAT(options.output, HasSubstr("--demo"));
    EXPECT_THAT(options.output, HasSubstr("\n  cards programs | list"));
    EXPECT_THAT(linesWiderThan(options.output, 80), ::testing::IsEmpty());

    const CliRun help = runCli({}, "help\nhelp cards\nhelp nothing\n");
    EXPECT_THAT(help.output, HasSubstr("\n  card-deposit <amount> <currency>"));
    EXPECT_EQ(countOf(help.output, "  cards programs | list"), 2u) << help.output;
    EXPECT_THAT(help.output, HasSubstr("unknown command 'nothing'"));
    EXPECT_THAT(linesWiderThan(help.output, 80), ::testing::IsEmpty());
}

// At a terminal, the session against its own sandbox says it signed in, then prompts; against a
// base URL (given without its trailing "/") a command that needs the service asks for configure
// first and sends nothing.
TEST(WalletCliTest, TheSessionSignsInToItsOwnSandboxAndAsksForConfigureElsewhere) {
    const CliRun own = runInTerminal({}, "cards list\nquit\n");
    EXPECT_EQ(own.exitCode, 0) << own.output;
    const auto signedIn = own.output.find("configured and authenticated against the local sandbox");
    const auto prompt = own.output.find("wallet> ");
    ASSERT_NE(signedIn, std::string::npos) << own.output;
    ASSERT_NE(prompt, std::string::npos) << own.output;
    EXPECT_LT(signedIn, prompt);
    EXPECT_THAT(own.output, HasSubstr("0 cards"));

    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    std::string base = sandbox.baseURL();
    ASSERT_TRUE(base.ends_with('/'));
    base.pop_back();
    const CliRun other = runCli({"--base-url", base},
                                "cards list\nmoney 5 EUR\nconfigure\nauthenticate\ncards list\n");
    EXPECT_THAT(other.output, HasSubstr("cards: not configured: run configure first"));
    EXPECT_EQ(countOf(other.output, "0 cards"), 1u) << other.output;
    std::vector<std::string> sent;
    for (const auto& request : sandbox.requests()) sent.push_back(request.path);
    EXPECT_EQ(std::ranges::count(sent, "/digitalwallets/v1/profile/prepaid/cards"), 1);
}

// The requests `sandbox` received, as "<METHOD> <path>".
std::vector<std::string> requestsTo(const corvend::sandbox::Sandbox& sandbox) {
    std::vector<std::string> sent;
    for (const auto& request : sandbox.requests())
        sent.push_back(request.method + " " + request.path);
    return sent;
}

// A return address the service could not reach is refused before anything is sent, and the
// lines after it still run as commands.
TEST(WalletCliTest, AReturnAddressMustBeAnAbsoluteWebAddress) {
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    const CliRun run = runCli({"--base-url", sandbox.baseURL()},
                              "configure\nauthenticate\n"
                              "instruments verify SEPA_BANK_ACCOUNT wallet.example/verified\n"
                              "instruments verify SEPA_BANK_ACCOUNT ftp://x/\n"
                              "instruments complete /verified?sessionId=ivs-1\nmoney 5 EUR\n");
    EXPECT_EQ(countOf(flowing(run.output), "is not a return address: an absolute http or https"),
              3u)
        << run.output;
    EXPECT_THAT(run.output, HasSubstr("\n" + money(5, "EUR") + "\n"));
    const auto sent = requestsTo(sandbox);
    EXPECT_TRUE(std::ranges::none_of(sent, [](const auto& request) {
        return request.find("verification") != std::string::npos;
    })) << run.output;
}

// Before any sign-in a call is refused with what to do, not with an expiry that never was.
TEST(WalletCliTest, BeforeSigningInTheHostSaysToSignIn) {
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    const CliRun run = runCli({"--base-url", sandbox.baseURL()},
                              "configure\ncards list\ndeposit list\nauthenticate\ncards list\n");
    EXPECT_EQ(countOf(run.output, "not signed in: run authenticate\n"), 2u) << run.output;
    EXPECT_THAT(run.output, Not(HasSubstr("expired")));
    EXPECT_EQ(countOf(run.output, "0 cards"), 1u) << run.output;
    EXPECT_EQ(
        std::ranges::count(requestsTo(sandbox), "GET /digitalwallets/v1/profile/prepaid/cards"), 1);
}

// The next deposit options the sandbox lists: cards, of no scheme the screens accept.
void offerCardsOfNoScheme(corvend::sandbox::Sandbox& sandbox) {
    sandbox.scriptNextReply(
        "GET", "digitalwallets/v1/profile/deposits/options",
        {.body = R"([{"paymentOption":"CARD","instrumentTypes":["CARD"],)"
                 R"("paymentOptionSettings":{"paymentOption":"CARD","cardSchemes":[]}}])"});
}

// Only one of the customer's saved cards pays a card deposit: another instrument is refused
// before a deposit is made; a flow that fails says so in plain words.
TEST(WalletCliTest, ACardDepositTakesOnlyASavedCardAndFailsInPlainWords) {
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    offerCardsOfNoScheme(sandbox);
    const CliRun run = runCli({"--base-url", sandbox.baseURL()},
                              "configure\nauthenticate\n"
                              "card-deposit 5 eur --saved-card pi-sandbox-sepa\n"
                              "card-deposit 5 eur --saved-card pi-none\n"
                              "card-deposit 5 EUR\nnew card\n");
    EXPECT_THAT(flowing(run.output), HasSubstr("pi-sandbox-sepa is not one of your saved cards"));
    EXPECT_THAT(flowing(run.output), HasSubstr("pi-none is not one of your saved cards"));
    EXPECT_THAT(run.output, HasSubstr("card deposit result: failed"));
    EXPECT_THAT(run.output, Not(HasSubstr("terminal")));
    EXPECT_THAT(run.output, Not(HasSubstr("NOT_FOUND")));
    EXPECT_EQ(countOf(run.output, "previewed"), 1u) << run.output;
    EXPECT_EQ(std::ranges::count(requestsTo(sandbox), "POST /digitalwallets/v1/profile/deposits"),
              1);
}

// One rule for the exit status of every one-shot command: 0 done as asked, 1 not done, 2 a
// usage error; `--` ends the options; --help says so.
TEST(WalletCliTest, EveryOneShotCommandExitsByOneRule) {
    struct Case {
        std::vector<std::string> arguments;
        std::string input;
        int exitCode;
        std::string streams{};
        // What the output lost leaves to say on standard error, as a regular expression.
        std::string lostSays{};
    };
    const std::vector<Case> cases{
        // Output lost: nobody would see what a flow asks or does next, so it goes no further
        // than the step whose words were lost; a 1 stays 1. What the command made is said, so
        // that nobody sends it again.
        {{"transfer", "send", "1", "EUR", "eve@example.com"},
         "",
         1,
         kOutputLost,
         R"(device; transfer (tr-\S+) was previewed \(`transfer get \1` shows it\)\s*$)"},
        {{"deposit", "run", "3", "EUR"},
         "",
         1,
         kOutputLost,
         R"(device; deposit (dep-\S+) was previewed \(`deposit get \1` shows it\)\s*$)"},
        // Its first question unseen, a card deposit asks nothing and makes nothing; the demo
        // runs no command after the one whose output was lost.
        {{"card-deposit", "13", "EUR"},
         "new card\n4111111111111111\n1230\n123\n\nAdd a card\nConfirm\nApprove\n",
         1,
         kOutputLost,
         R"(on device\s*$)"},
        // The deposit previewed is named as made, never as one that may have been made.
        {{"card-deposit", "5", "EUR", "--saved-card", "pi-sandbox-card"},
         "123\nContinue\nConfirm\nApprove\n",
         1,
         kOutputLost,
         R"(device; card deposit (dep-\S+) was previewed \(`deposit get \1` shows it\)\s*$)"},
        {{"--demo"},
         "",
         1,
         kOutputLost,
         R"(^wallet-cli: standard output could not be written: No space left on device\s*$)"},
        {{"instruments", "delete", "CARD", "pi-sandbox-card"},
         "",
         1,
         kOutputLost,
         R"(device; the deletion may have reached the service \(`instruments get CARD )"
         R"(pi-sandbox-card` shows it\))"},
        {{"transfer", "send", "1", "EUR", "eve@example.com"}, "", 1, " 2>/dev/full"},
        {{"--version"}, "", 1, kOutputLost},
        {{"money", "5", "EUR"}, "", 1, " 2>&1 >&-"},
        {{"card", "check", "4111111111111112"}, "", 1, kOutputLost},
        {{"card", "check", "4111111111111111"}, "", 0},
        {{"card", "check", "4111111111111112"}, "", 1},
        {{"kyc", "start"}, "Complete\n", 0},
        {{"kyc", "start"}, "Cancel\n", 1},
        {{"kyc", "start"}, "Abandon\n", 1},
        // A word the service is not asked about, refused by the host before anything is sent.
        {{"kyc", "start", "--ref", "\xff"}, "", 2},
        {{"kyc", "start", "--language", "caf\xe9"}, "", 2},
        {{"instruments", "complete", "https://wallet.example/done"}, "", 2},
        {{"instruments", "complete", "https://wallet.example/done?other=1"}, "", 2},
        {{"card-deposit", "5", "EUR"}, "new card\nclose\n", 1},
        {{"cards", "get", "card-none"}, "", 1},
        // The kit refuses the word before sending anything ("I0001").
        {{"deposit", "get", ".."}, "", 2},
        {{"--", "money", "5", "EUR"}, "", 0},
        {{"--base-url"}, "", 2},
        {{"--bogus"}, "", 2},
        {{"--", "--version"}, "", 2},
        {{"bogus"}, "", 2},
        {{"cards"}, "", 2},
        {{"money", "5", "XX"}, "", 2},
        {{"instruments", "verify", "SEPA_BANK_ACCOUNT", "ftp://x/"}, "", 2},
        {{"transfer", "send", "25", "EUR", ""}, "", 2},
        {{"transfer", "send", "25", "EUR", " "}, "", 2},
        {{"transfer", "send", "25", "EUR", "ana"}, "", 1},
        {{"authenticate", ""}, "", 2},
        {{"cards", "update", "last", "LOCKED", ""}, "", 2},
        {{"--base-url", "not a url", "cards", "list"}, "", 2},
        {{"--base-url", "ftp://x/", "version"}, "", 2},
    };
    for (const Case& c : cases) {
        const CliRun run = runCli(c.arguments, c.input, true, c.streams);
        EXPECT_EQ(run.exitCode, c.exitCode) << ::testing::PrintToString(c.arguments) << "\n"
                                            << run.output;
        if (c.streams == kOutputLost && c.exitCode == 1) {
            EXPECT_THAT(flowing(run.output), HasSubstr(kOutputLostSays)) << c.arguments.front();
            EXPECT_TRUE(std::regex_search(flowing(run.output), std::regex(c.lostSays)))
                << run.output;
        }
        if (c.arguments.front() == "--") {
            EXPECT_THAT(run.output, Not(HasSubstr("kit version")));
        }
    }
    // A base URL is refused before anything starts, with the rule; one without a path is one.
    const CliRun badBase = runCli({"--base-url", "not a url", "cards", "list"});
    EXPECT_THAT(flowing(badBase.output), HasSubstr("an absolute http or https URL"));
    EXPECT_THAT(badBase.output, Not(HasSubstr("configuring")));
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    std::string bare = sandbox.baseURL();
    while (bare.ends_with('/')) bare.pop_back();
    EXPECT_EQ(runCli({"--base-url", bare, "cards", "list"}).exitCode, 0) << bare;
    // The service refuses a recipient it cannot name, with its error document.
    EXPECT_THAT(runCli({"--base-url", bare, "transfer", "send", "5", "EUR", "ana"}).output,
                HasSubstr("recipient"));
    // The kit's rule: no query or fragment.
    for (const std::string form : {"?x", "#f", "/api?x", "/#f", "?", "#", "/?"}) {
        const CliRun withQuery = runCli({"--base-url", bare + form, "fx", "quote", "EUR", "USD"});
        EXPECT_EQ(withQuery.exitCode, 2) << form;
        EXPECT_THAT(flowing(withQuery.output), HasSubstr("with no query or fragment")) << form;
        EXPECT_THAT(withQuery.output, Not(HasSubstr("configuring"))) << form;
    }
    // A change whose reply was lost after the service acted: not done as far as the host saw,
    // never told as failed, and nothing sent after it.
    const auto transfers = sandbox.store().list("transfers").size();
    sandbox.scriptNextReply("POST", "digitalwallets/v1/profile/transfers",
                            {.afterRoute = true, .dropConnection = true});
    const auto sent = sandbox.requests().size();
    const CliRun lost = runCli({"--base-url", bare, "transfer", "send", "8", "EUR", "fay@x.com"});
    EXPECT_EQ(lost.exitCode, 1) << lost.output;
    EXPECT_THAT(flowing(lost.output),
                HasSubstr("the transfer may have reached the service (it would be the newest:"));
    EXPECT_THAT(lost.output, Not(HasSubstr("failed")));
    EXPECT_EQ(sandbox.store().list("transfers").size(), transfers + 1);
    const auto requests = sandbox.requests();
    EXPECT_EQ(requests.back().path, "/digitalwallets/v1/profile/transfers");
    EXPECT_GT(requests.size(), sent);
    // The same with its output lost: the words that name the step whose end was not seen are
    // said on standard error, where they are seen.
    sandbox.scriptNextReply(
        "POST", "digitalwallets/v1/profile/transfers",
        {.status = 503, .body = "{}", .afterRoute = true, .replaceRouteReply = true});
    const CliRun unseen = runCli({"--base-url", bare, "transfer", "send", "8", "EUR", "fay@x.com"},
                                 "", true, kOutputLost);
    EXPECT_EQ(unseen.exitCode, 1) << unseen.output;
    EXPECT_THAT(flowing(unseen.output),
                HasSubstr("on device; the transfer may have reached the service (it would be the "
                          "newest:"));
    // A card deposit whose output is lost asks for no card: nothing typed blind is sent.
    const auto deposits = sandbox.store().list("deposits").size();
    const CliRun blind = runCli({"--base-url", bare, "card-deposit", "13", "EUR"},
                                "new card\n4111111111111111\n1230\n123\n\nAdd a card\nConfirm\n"
                                "Approve\n",
                                true, kOutputLost);
    EXPECT_EQ(blind.exitCode, 1) << blind.output;
    EXPECT_EQ(sandbox.store().list("deposits").size(), deposits);
    EXPECT_EQ(sandbox.requests().back().method, "GET");

    // A step's reply that calls its record FAILED, names another record (a gateway that mixed
    // up replies) or, in a run, states other terms than those asked: the command ends there,
    // exit 1, and a run sends nothing more.
    struct Step {
        std::string command;
        std::string path;  // the status change scripted, under the profile
        std::string id, status, says;
        bool secondStep = false;     // scripted for the run's confirmation; its creation goes as is
        std::int64_t amount = 2500;  // the terms the reply states
        std::string currency = "EUR";
        std::string recipient{};  // the reply's recipient, a member of its JSON with its comma
        int exitCode = 1;
        bool confirmShown = false;  // the confirmation's reply is printed as the record
    };
    // `label` is the run's name, and "stopped" while a step of it is left to send.
    const auto otherTerms = [](std::string label, std::string step, std::string stated,
                               std::string asked, std::string left) {
        return label + ": the reply to the " + step + " says " + stated + ", not " + asked +
               " as asked; " + left;
    };
    const std::string toMallory = R"("recipient":{"email":"mallory@evil.example"},)";
    const std::vector<Step> steps{
        {"deposit run 25 EUR", "deposits/dep-1", "dep-7", "PENDING",
         "deposit run stopped: the reply to the creation named deposit dep-7, not deposit dep-1; "
         "deposit dep-1 exists; its creation may have reached the service (`deposit get dep-1` "
         "shows it); its confirmation was not sent"},
        {"deposit run 25 EUR", "deposits/dep-1", "dep-1", "FAILED",
         "deposit run stopped: deposit dep-1 is FAILED; its confirmation was not sent "
         "(`deposit get dep-1` shows it)"},
        {"deposit run 25 EUR", "deposits/dep-1", "dep-7", "COMPLETED",
         "deposit dep-1 exists; its confirmation may have reached the service", true},
        {"transfer send 25 EUR ana@example.com", "transfers/tr-1", "tr-7", "PENDING",
         "not transfer tr-1; transfer tr-1 exists; its creation may have reached"},
        {"transfer send 25 EUR ana@example.com", "transfers/tr-1", "tr-1", "FAILED",
         "transfer send stopped: transfer tr-1 is FAILED; its confirmation was not"},
        {"deposit create dep-1", "deposits/dep-1", "dep-1", "FAILED", "create deposit dep-1:"},
        {"deposit confirm dep-1", "deposits/dep-1", "dep-1", "FAILED", ", FAILED"},
        {"withdrawal create wd-1", "withdrawals/wd-1", "wd-1", "FAILED", "BANK_TRANSFER, FAILED"},
        {"withdrawal confirm wd-1", "withdrawals/wd-1", "wd-7", "COMPLETED",
         "withdrawal confirm: the reply named withdrawal wd-7, not withdrawal wd-1; the "
         "confirmation of withdrawal wd-1 may have reached the service (`withdrawal get wd-1` "
         "shows it)"},
        {"deposit run 25 EUR", "deposits/dep-1", "dep-1", "PENDING",
         otherTerms("deposit run stopped", "creation", money(250000, "EUR"), money(2500, "EUR"),
                    "deposit dep-1 exists: its confirmation was not sent (`deposit get dep-1` "
                    "shows it)"),
         false, 250000},
        {"transfer send 25 EUR ana@example.com", "transfers/tr-1", "tr-1", "PENDING",
         otherTerms("transfer send stopped", "creation",
                    money(2500, "EUR") + " to mallory@evil.example",
                    money(2500, "EUR") + " to ana@example.com", "transfer tr-1 exists: its"),
         false, 2500, "EUR", toMallory},
        // After the confirmation nothing is left to stop: the words say what the reply states
        // and where the record stands.
        {"deposit run 25 EUR", "deposits/dep-1", "dep-1", "COMPLETED",
         otherTerms("deposit run", "confirmation", money(2500, "USD"), money(2500, "EUR"),
                    "deposit dep-1 was confirmed; that reply calls it COMPLETED (`deposit get "
                    "dep-1` shows it)"),
         true, 2500, "USD"},
        {"transfer send 25 EUR ana@example.com", "transfers/tr-1", "tr-1", "COMPLETED",
         otherTerms("transfer send", "confirmation",
                    money(2500, "EUR") + " to mallory@evil.example",
                    money(2500, "EUR") + " to ana@example.com",
                    "transfer tr-1 was confirmed; that reply calls it COMPLETED"),
         true, 2500, "EUR", toMallory},
        {.command = "deposit run 25 EUR",
         .path = "deposits/dep-1",
         .id = "dep-1",
         .status = "FAILED",
         .says = "deposit run: deposit dep-1 is FAILED (`deposit get dep-1` shows it)",
         .secondStep = true,
         .confirmShown = true},
        {.command = "transfer send 25 EUR ana@example.com",
         .path = "transfers/tr-1",
         .id = "tr-1",
         .status = "FAILED",
         .says = "transfer send: transfer tr-1 is FAILED (`transfer get tr-1` shows it)",
         .secondStep = true,
         .confirmShown = true},
        // A recipient the reply does not state is no other recipient.
        {.command = "transfer send 25 EUR ana@example.com",
         .path = "transfers/tr-1",
         .id = "tr-1",
         .status = "PENDING",
         .says = "create transfer tr-1: " + money(2500, "EUR") + ", PENDING",
         .exitCode = 0,
         .confirmShown = true},
        {.command = "transfer send 25 EUR ana@example.com",
         .path = "transfers/tr-1",
         .id = "tr-1",
         .status = "COMPLETED",
         .says = "confirm transfer tr-1: " + money(2500, "EUR") + ", COMPLETED",
         .secondStep = true,
         .exitCode = 0,
         .confirmShown = true},
    };
    // A run's preview whose terms are not those asked for: the run stops before the creation.
    const std::string preview =
        R"({"id":"tr-1","customerId":"cus-sandbox-1","accountId":"acc-sandbox-1",)"
        R"("creationTime":"2024-03-28T10:00:00.000Z","transferDetails":{},"status":"PREVIEW",)";
    for (const auto& [terms, says] :
         {std::pair{
              R"("amount":30000,"currencyCode":"EUR","recipient":{"email":"ana@example.com"}})",
              "the preview says " + money(30000, "EUR") + " to ana@example.com, not " +
                  money(300, "EUR") +
                  " to ana@example.com as asked; transfer tr-1 is a "
                  "preview only: its creation was not sent (`transfer get tr-1` shows it)"},
          {R"("amount":200,"currencyCode":"USD","recipient":{"email":"mallory@evil.example"}})",
           "the preview says " + money(200, "USD") + " to mallory@evil.example, not"}}) {
        corvend::sandbox::Sandbox fresh;
        fresh.start();
        fresh.scriptNextReply("POST", "digitalwallets/v1/profile/transfers",
                              {.body = preview + terms});
        const CliRun run = runCli(
            {"--base-url", fresh.baseURL(), "transfer", "send", "3.00", "EUR", "ana@example.com"});
        EXPECT_EQ(run.exitCode, 1) << run.output;
        EXPECT_THAT(flowing(run.output), HasSubstr(flowing(says))) << run.output;
        EXPECT_FALSE(fresh.requests().back().path.ends_with("/status"));
    }

    // A read answered with another record says so and prints nothing of it; the card-deposit
    // flow's read back of its own deposit too.
    const std::string other =
        R"({"id":"dep-9","amount":700,"currencyCode":"EUR","paymentOption":"BANK_TRANSFER",)"
        R"("customerId":"cus-sandbox-1","accountId":"acc-sandbox-1","transferDetails":{},)"
        R"("creationTime":"2024-03-28T10:00:00.000Z","status":"COMPLETED"})";
    struct Read {
        std::string command, answers;
        int passed;  // replies of the path that go as they are first
        std::string path, body, named;
    };
    const std::string deposit = "deposits/dep-1";
    std::string nul = other;
    nul.replace(nul.find("dep-9"), 5, R"(dep-1\u0000)");
    const std::vector<Read> reads{
        {"deposit get dep-1", "", 0, deposit, other, "deposit dep-9, not deposit dep-1"},
        // A NUL in the id cuts none of the words.
        {"deposit get dep-1", "", 0, deposit, nul, "deposit dep-1\\x00, not deposit dep-1"},
        {"card-deposit 5 EUR", "new card\n4111111111111111\n1230\n123\n\nAdd a card\nConfirm\n", 1,
         deposit, other, "deposit dep-9, not deposit dep-1"},
        {"card-deposit 5 EUR", "new card\n", 0, deposit, other, "deposit dep-9, not deposit dep-1"},
        {"history transaction txn-tr-16", "", 0, "transactions/txn-tr-16",
         R"({"id":"txn-tr-15","type":"TRANSFER","status":"COMPLETED","amount":-2500,)"
         R"("currencyCode":"EUR","creationTime":"2024-03-28T10:00:00.000Z","paymentId":"tr-15"})",
         "transaction txn-tr-15, not transaction txn-tr-16"},
        {"history authorization auth-01", "", 0, "authorizations/auth-01",
         R"({"id":"auth-02","cardId":"card-sandbox-1","status":"APPROVED","amount":450,)"
         R"("currencyCode":"EUR","creationTime":"2024-03-28T10:00:00.000Z"})",
         "authorization auth-02, not authorization auth-01"},
        {"instruments complete https://wallet.example/verified?sessionId=ivs-1", "", 0,
         "instrument-verifications/ivs-1", kOtherVerification,
         "verification ivs-OTHER, not verification ivs-1"}};
    for (const Read& read : reads) {
        SCOPED_TRACE(read.command);
        corvend::sandbox::Sandbox fresh;
        fresh.start();
        const std::string path = "digitalwallets/v1/profile/" + read.path;
        for (int i = 0; i < read.passed; ++i)
            fresh.scriptNextReply("GET", path, {.afterRoute = true});
        fresh.scriptNextReply("GET", path, {.body = read.body});
        std::vector<std::string> arguments{"--base-url", fresh.baseURL()};
        std::istringstream words(read.command);
        for (std::string word; words >> word;) arguments.push_back(word);
        const CliRun run = runCli(arguments, read.answers);
        EXPECT_EQ(run.exitCode, 1) << run.output;
        EXPECT_THAT(flowing(run.output), HasSubstr("the reply named " + read.named));
        EXPECT_THAT(run.output, Not(AnyOf(HasSubstr("dep-9:"), HasSubstr("txn-tr-15:"),
                                          HasSubstr("auth-02:"), HasSubstr("COMPLETED"))));
    }

    for (const Step& step : steps) {
        SCOPED_TRACE(step.command + ": " + step.id + " " + step.status);
        corvend::sandbox::Sandbox fresh;
        fresh.start();
        const std::string path = "digitalwallets/v1/profile/" + step.path + "/status";
        if (step.secondStep) fresh.scriptNextReply("POST", path, {.afterRoute = true});
        fresh.scriptNextReply(
            "POST", path,
            {.body = R"({"id":")" + step.id + R"(","amount":)" + std::to_string(step.amount) +
                     R"(,"currencyCode":")" + step.currency + R"(",)" +
                     R"("paymentOption":"BANK_TRANSFER","customerId":"cus-sandbox-1",)" +
                     R"("accountId":"acc-sandbox-1","creationTime":"2024-03-28T10:00:00.000Z",)" +
                     step.recipient + R"("transferDetails":{},"status":")" + step.status + R"("})",
             // A run that goes on needs the step done at the service.
             .afterRoute = step.exitCode == 0,
             .replaceRouteReply = step.exitCode == 0});
        std::vector<std::string> arguments{"--base-url", fresh.baseURL()};
        std::istringstream words(step.command);
        for (std::string word; words >> word;) arguments.push_back(word);
        const CliRun run = runCli(arguments);
        EXPECT_EQ(run.exitCode, step.exitCode) << run.output;
        EXPECT_THAT(flowing(run.output), HasSubstr(step.says)) << run.output;
        if (step.confirmShown) {
            EXPECT_THAT(run.output, HasSubstr("confirm "));
        } else if (step.command.ends_with("@example.com") || step.command.ends_with("EUR")) {
            EXPECT_THAT(run.output, Not(HasSubstr("confirm ")));
        }
        // Once the confirmation was sent nothing is stopped.
        if (step.secondStep) {
            EXPECT_THAT(run.output, Not(HasSubstr("stopped")));
        }
        std::size_t changes = 0;
        for (const auto& request : fresh.requests()) changes += request.path.ends_with("/status");
        EXPECT_EQ(changes, step.secondStep || step.exitCode == 0 ? 2u : 1u);
    }

    // A change the service made whose reply a gateway replaced with a 5xx, or that came as a
    // success the kit cannot read or about another record: its end was not seen, as a lost
    // reply's; never "failed" or "try again", and nothing more is sent.
    const std::string html = "<title>Bad gateway</title>";
    const std::string card9 =
        R"({"cardId":"card-9","status":"ACTIVE","cardType":"VIRTUAL","programName":"P",)"
        R"("currency":"EUR","customerId":"cust-sandbox","accountId":"acc-sandbox-EUR",)"
        R"("scheme":"VISA","createdDate":"2024-03-28T10:00:00.000Z","isPinSet":false})";
    const std::string cardChanged =
        "the reply named card card-9, not card card-1: the change may "
        "have reached the service (`cards get card-1` shows it)";
    struct Replaced {
        std::string command, method, path;
        corvend::sandbox::ScriptedReply reply;
        std::string says;
        bool secondStep = false;
    };
    const std::vector<Replaced> replaced{
        {"transfer send 10.00 EUR bob@example.com",
         "POST",
         "transfers",
         {.status = 502, .body = html, .contentType = "text/html"},
         "transfer: the reply did not say how it ended (Internal error. [I0006]): the "
         "transfer may have reached the service (it would be the newest:"},
        {"deposit run 25 EUR",
         "POST",
         "deposits/dep-1/status",
         {.status = 500},
         "deposit: the reply did not say how it ended (Internal error. [I0500]): deposit "
         "dep-1 exists; its confirmation may have reached the service (`deposit get dep-1` shows "
         "it)\nError ID: ",
         true},
        {"transfer send 10.00 EUR bob@example.com",
         "POST",
         "transfers/tr-1/status",
         {.body = "<title>OK</title>", .contentType = "text/html"},
         "(Internal error. [I0005]): transfer tr-1 exists; its creation may have reached"},
        {"cards issue Corvend-Virtual EUR",
         "POST",
         "prepaid/cards",
         {.status = 504, .body = html, .contentType = "text/html"},
         "the card may have been issued (`cards list` shows it)"},
        {"instruments delete CARD pi-sandbox-card",
         "DELETE",
         "instruments/CARD/pi-sandbox-card",
         {.status = 503},
         "the deletion may have reached the service (`instruments get CARD pi-sandbox-card` shows "
         "it)"},
        {"transfer send 10.00 EUR bob@example.com",
         "POST",
         "transfers/tr-1/status",
         {.status = 503},
         "transfer: the reply did not say how it ended (Service Unavailable, HTTP 503): transfer "
         "tr-1 exists; its confirmation may have reached the service (`transfer get tr-1` shows "
         "it)",
         true},
        {"instruments delete CARD pi-sandbox-card",
         "DELETE",
         "instruments/CARD/pi-sandbox-card",
         {.body = R"({"id":"pi-other-card","customerId":"cust-sandbox","instrumentType":"CARD",)"
                  R"("status":"VERIFIED","cardHolderName":"SANDBOX CUSTOMER","cardScheme":"VISA",)"
                  R"("pan":"400000******0002","expiryDate":{"year":2029,"month":12},)"
                  R"("creationTime":"2024-01-15T09:30:00Z"})"},
         "instruments: the reply named instrument pi-other-card, not instrument pi-sandbox-card: "
         "the deletion may have reached the service"},
        {"cards update card-1 ACTIVE",
         "PATCH",
         "prepaid/cards/card-1",
         {.body = card9},
         "cards: " + cardChanged},
        {"cards activate card-1 1234 123",
         "POST",
         "prepaid/cards/card-1/activation",
         {.body = card9},
         cardChanged},
        {"accounts add USD",
         "POST",
         "accounts",
         {.body = R"({"id":"acc-sandbox-1","currencyCode":"EUR","availableBalance":5,)"
                  R"("customerId":"cust-sandbox","instruments":[]})"},
         "accounts: the reply named an account in EUR, not an account in USD: the account may "
         "have been added (`accounts list` shows it)"},
    };
    for (const Replaced& change : replaced) {
        SCOPED_TRACE(change.command);
        corvend::sandbox::Sandbox fresh;
        fresh.start();
        const std::string path = "digitalwallets/v1/profile/" + change.path;
        if (change.secondStep) fresh.scriptNextReply(change.method, path, {.afterRoute = true});
        auto reply = change.reply;
        reply.afterRoute = reply.replaceRouteReply = true;
        fresh.scriptNextReply(change.method, path, reply);
        std::vector<std::string> arguments{"--base-url", fresh.baseURL()};
        std::istringstream words(change.command);
        for (std::string word; words >> word;) arguments.push_back(word);
        const CliRun run = runCli(arguments);
        EXPECT_EQ(run.exitCode, 1) << run.output;
        EXPECT_THAT(flowing(run.output), HasSubstr(flowing(change.says))) << run.output;
        EXPECT_THAT(run.output, Not(HasSubstr("failed")));
        EXPECT_THAT(run.output, Not(::testing::ContainsRegex("[Tt]ry again")));
        EXPECT_THAT(run.output, Not(AnyOf(HasSubstr("card-9 "), HasSubstr("pi-other-card "),
                                          HasSubstr("account acc-"))));
        // Nothing of the profile's after it (an unreadable success is also reported as an
        // error event, which may come last).
        auto requests = fresh.requests();
        std::erase_if(requests, [](const auto& request) {
            return !request.path.starts_with("/digitalwallets/v1/profile/");
        });
        EXPECT_TRUE(requests.back().path.ends_with(change.path)) << requests.back().path;
    }

    const std::string help = flowing(runCli({"--help"}).output);
    for (const std::string status : {" 0 ", " 1 ", " 2 ", " 130 "})
        EXPECT_THAT(help, HasSubstr(status)) << help;
    EXPECT_THAT(help, HasSubstr("--"));
}

namespace {

// The usage of `command` as `help <command>` shows it, on one line.
std::string usageIn(const std::string& help, const std::string& command) {
    const auto start = help.find("  " + command);
    const auto summary = help.find("\n    ", start);
    return flowing(help.substr(start, summary - start));
}

// The arguments and options a usage names: "<amount>", "[option]", "--saved-card".
std::set<std::string> argumentsIn(const std::string& usage) {
    static const std::regex argument(R"(<[^<>]+>|\[[^\[\]-][^\[\]]*\]|--[a-z-]+)");
    std::set<std::string> found;
    for (std::sregex_iterator at(usage.begin(), usage.end(), argument), end; at != end; ++at)
        found.insert(at->str());
    return found;
}

}  // namespace

// Counts in words, help and version on their own, what each argument means, the payment
// options the service offers, card programs in either case, and the sandbox's own help.
TEST(WalletCliTest, SmallThingsAPersonReadsAreRight) {
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    sandbox.scriptNextReply("GET", "digitalwallets/v1/profile/deposits/options",
                            {.body = R"([{"paymentOption":"OFFLINE_BANK_TRANSFER"},)"
                                     R"({"paymentOption":"VELNO_TRANSFER"}])"});
    const CliRun run = runCli({"--base-url", sandbox.baseURL()},
                              "configure\nauthenticate\ndeposit preview 5 EUR velno_transfer\n"
                              "deposit preview 5 EUR bank_transfer\n"
                              "deposit preview 5 EUR VELNO_TRANSFER\n"
                              "accounts list\ndeposit run 5 EUR\ndeposit list 2\n"
                              "deposit preview 25.5 JPY\ncards issue corvend-classic eur\n"
                              "cards tokenize last\ncards get last tokenizations\n"
                              "profile --include ACCOUNTS\ndeposit options\n"
                              "history transactions --limit 1\n");
    EXPECT_THAT(run.output, Not(HasSubstr("(s)")));
    EXPECT_THAT(run.output, HasSubstr("\n1 account\n"));
    EXPECT_TRUE(std::regex_search(run.output, std::regex(R"(\n2 deposits of \d+\n)")))
        << run.output;
    EXPECT_THAT(run.output, HasSubstr("at most 0 digits after the point"));
    EXPECT_THAT(run.output, HasSubstr(", 1 tokenization\n"));
    EXPECT_THAT(run.output, HasSubstr(" Corvend-Classic EUR "));
    // The options offered are the service's: a scripted list, then the sandbox's own, which
    // refuses an option it does not offer with its error document.
    EXPECT_THAT(flowing(run.output), HasSubstr("paymentOption"));
    EXPECT_THAT(flowing(run.output), HasSubstr("'VELNO_TRANSFER' is not a payment option the "
                                               "service offers for deposits: one of CARD, "
                                               "BANK_TRANSFER, OFFLINE_BANK_TRANSFER"));

    // Help and version start no sandbox; the version is one.
    const CliRun version = runCli({"version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(countOf(version.output, WALLET_CLI_EXPECTED_VERSION), 1u) << version.output;
    EXPECT_THAT(version.output, Not(HasSubstr("local sandbox")));
    const CliRun help = runCli({"help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_THAT(help.output, Not(HasSubstr("local sandbox")));

    // `help <command>` says what each argument and option of the command's usage means.
    static const std::regex commandLine(R"(\n  ([a-z-]+))");
    std::set<std::string> commands;
    for (std::sregex_iterator at(help.output.begin(), help.output.end(), commandLine), end;
         at != end; ++at)
        commands.insert((*at)[1]);
    EXPECT_GT(commands.size(), 15u);
    for (const auto& command : commands) {
        const std::string one = runCli({"help", command}).output;
        for (const auto& argument : argumentsIn(usageIn(one, command)))
            EXPECT_THAT(one, HasSubstr("\n    " + argument)) << command << ":\n" << one;
    }

    std::string sandboxHelp;
    FILE* pipe = popen(WALLET_SANDBOX_PATH " --help", "r");
    ASSERT_NE(pipe, nullptr);
    std::array<char, 4096> buffer{};
    while (const std::size_t read = fread(buffer.data(), 1, buffer.size(), pipe))
        sandboxHelp.append(buffer.data(), read);
    pclose(pipe);
    EXPECT_THAT(sandboxHelp, HasSubstr("--port"));
    EXPECT_THAT(linesWiderThan(sandboxHelp, 80), ::testing::IsEmpty()) << sandboxHelp;
}

// A word from a fixed set is checked by the host, which names the allowed ones, before anything
// is sent; "last" with no card issued says so.
TEST(WalletCliTest, WordsFromAFixedSetAreCheckedBeforeAnythingIsSent) {
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    const CliRun run = runCli({"--base-url", sandbox.baseURL()},
                              "configure\nauthenticate\ncards list NOPE\ncards get last\n"
                              "cards update card-9 X\nhistory authorizations --status X\n"
                              "instruments list BANK\ninstruments get PAYPAL pi-1\n"
                              "cards programs\nhelp cards\nhelp instruments\n");
    EXPECT_THAT(run.output, HasSubstr("'NOPE' is not a card status: one of ACTIVE,"));
    EXPECT_THAT(run.output, HasSubstr("'X' is not a card status: one of ACTIVE,"));
    EXPECT_THAT(run.output, HasSubstr("no card issued in this session"));
    EXPECT_THAT(run.output, HasSubstr("'X' is not an authorization status: one of APPROVED, "
                                      "DECLINED, REVERSED"));
    EXPECT_THAT(flowing(run.output),
                HasSubstr("'BANK' is not an instrument type: one of "
                          "SEPA_BANK_ACCOUNT, UK_BANK_ACCOUNT, US_BANK_ACCOUNT, CARD"));
    EXPECT_THAT(run.output, HasSubstr("'PAYPAL' is not an instrument type"));
    EXPECT_THAT(run.output, HasSubstr("the name is what 'cards issue' takes"));
    // The usages list the allowed words.
    const auto cardsHelp = run.output.find("  cards programs | list");
    const auto instrumentsHelp = run.output.find("  instruments list [TYPE]");
    ASSERT_NE(instrumentsHelp, std::string::npos) << run.output;
    EXPECT_THAT(run.output.substr(cardsHelp, instrumentsHelp - cardsHelp),
                HasSubstr("ACTIVE, PENDING"));
    EXPECT_THAT(run.output.substr(instrumentsHelp), HasSubstr("US_BANK_ACCOUNT, CARD"));
    std::vector<std::string> sent;
    for (const auto& request : sandbox.requests()) {
        if (request.path.starts_with("/digitalwallets/v1/profile/")) sent.push_back(request.path);
    }
    EXPECT_THAT(sent, ElementsAre("/digitalwallets/v1/profile/prepaid/programs"));
}

TEST(WalletCliTest, ChecksCardsAndFormatsMoneyWithoutTheService) {
    const CliRun run = runCli({},
                              "card check 4111-1111-1111-1111 01/20 12a\n"
                              "card check 5391520000000000\nmoney -123456 EUR de_DE\n"
                              "money 12345 jpy en_US\nmoney 5 XX\nquit\n");
    EXPECT_THAT(run.output, HasSubstr("brand: visa\nmasked: 411111******1111\nnumber: valid\n"
                                      "expiry: 01/20: expired\ncvv: invalid\n"));
    EXPECT_THAT(run.output, HasSubstr("brand: tembroPrepaidMasterCard\nmasked: 539152******0000\n"
                                      "number: notSupported\n"));
    EXPECT_THAT(run.output, HasSubstr("-1.234,56\u00a0€\n"));
    EXPECT_THAT(run.output, HasSubstr("\n¥12,345\n"));
    EXPECT_THAT(run.output, HasSubstr("money: 'XX' is not a currency"));
}

// The requests `sandbox` received for the customer's profile, as "<METHOD> <target> <body>".
std::vector<std::string> profileRequests(const corvend::sandbox::Sandbox& sandbox) {
    std::vector<std::string> sent;
    for (const auto& request : sandbox.requests()) {
        if (request.path.starts_with("/digitalwallets/v1/profile"))
            sent.push_back(request.method + " " + request.target + " " + request.body);
    }
    return sent;
}

// The currency codes the bodies in `sent` carry, in order.
std::vector<std::string> sentCurrencies(const std::vector<std::string>& sent) {
    static const std::regex code(
        R"re("(currencyCode|currency|sourceCurrency|targetCurrency)":"([^"]*)")re");
    std::vector<std::string> codes;
    for (const auto& request : sent) {
        for (std::sregex_iterator at(request.begin(), request.end(), code), end; at != end; ++at)
            codes.push_back((*at)[2]);
    }
    return codes;
}

// A currency is three letters ICU knows as one, in either case, sent upper-case; anything else
// is refused, naming the rule, before anything is sent.
TEST(WalletCliTest, CurrenciesAreKnownCodesInEitherCaseAndSentUpperCase) {
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    const CliRun run =
        runCli({"--base-url", sandbox.baseURL()},
               "configure\nauthenticate\ndeposit run 25 €\ndeposit run 25 A1B\n"
               "withdrawal preview 5 XYZ CARD\ntransfer send 1 eu ana@example.com\n"
               "fx quote EUR dollars\ncards issue Corvend-Classic €\naccounts add €\n"
               "money 5 xyz\ncard-deposit 5 €\n"
               "deposit run 25.50 eur\nwithdrawal preview 5 Eur VELNO_TRANSFER\n"
               "transfer preview 1 eur ana@example.com\nfx quote eur usd\n"
               "cards issue Corvend-Classic gbp\naccounts add usd\nmoney 250 jpy\n");
    EXPECT_EQ(countOf(run.output, "is not a currency: three letters"), 9u) << run.output;
    EXPECT_THAT(run.output, HasSubstr("'€' is not a currency"));
    EXPECT_THAT(run.output, Not(HasSubstr("failed")));
    EXPECT_THAT(run.output, HasSubstr("deposit dep-1: " + money(2550, "EUR")));
    EXPECT_THAT(run.output, HasSubstr("\n" + money(250, "JPY") + "\n"));
    EXPECT_THAT(sentCurrencies(profileRequests(sandbox)),
                ElementsAre("EUR", "EUR", "EUR", "EUR", "USD", "GBP", "USD"));
}

// Words from a fixed set (statuses, types, blocks, appearances) are taken in either case.
TEST(WalletCliTest, WordsFromAFixedSetAreTakenInEitherCase) {
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    const CliRun run =
        runCli({"--base-url", sandbox.baseURL()},
               "configure\nauthenticate\ncards list issued,Active\n"
               "history transactions --type deposit --status Completed\n"
               "instruments get card pi-sandbox-card\nprofile --include accounts\n"
               "appearance DARK\ncards update card-none locked\n"
               "deposit preview 5 EUR bank_transfer\ncards get card-none Tokenizations\n");
    EXPECT_THAT(run.output, Not(HasSubstr("is not")));
    EXPECT_THAT(run.output, Not(HasSubstr("usage:")));
    EXPECT_THAT(run.output, HasSubstr("installed the dark appearance"));
    EXPECT_THAT(run.output, HasSubstr("\nCARD pi-sandbox-card VERIFIED"));
    const auto sent = profileRequests(sandbox);
    const auto sentWith = [&](const std::string& pattern) {
        const std::regex part(pattern);
        return std::ranges::count_if(sent,
                                     [&](const auto& s) { return std::regex_search(s, part); });
    };
    EXPECT_EQ(sentWith("status=ISSUED(,|%2C)ACTIVE"), 1) << run.output;
    EXPECT_EQ(sentWith("type=DEPOSIT"), 1) << run.output;
    EXPECT_EQ(sentWith("status=COMPLETED"), 1) << run.output;
    EXPECT_EQ(sentWith("include=ACCOUNTS"), 1) << run.output;
    EXPECT_EQ(sentWith(R"re("status":"LOCKED")re"), 1) << run.output;
    EXPECT_EQ(sentWith(R"re("paymentOption":"BANK_TRANSFER")re"), 1) << run.output;
    EXPECT_EQ(sentWith("card-none\\?include=TOKENIZATIONS"), 1) << run.output;
}

// The reason of a card update is the rest of the line, or a quoted text.
TEST(WalletCliTest, ACardUpdateTakesTheRestOfTheLineOrAQuotedTextAsTheReason) {
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    const CliRun run = runCli({"--base-url", sandbox.baseURL()},
                              "configure\nauthenticate\ncards issue Corvend-Classic EUR\n"
                              "cards update last LOCKED lost it on the tram\n"
                              "cards update last ACTIVE \"found it,  again\"\n");
    EXPECT_THAT(run.output, Not(HasSubstr("usage:")));
    std::vector<std::string> reasons;
    static const std::regex reason(R"re("statusReason":"([^"]*)")re");
    for (const auto& request : profileRequests(sandbox)) {
        std::smatch found;
        if (std::regex_search(request, found, reason)) reasons.push_back(found[1]);
    }
    EXPECT_THAT(reasons, ElementsAre("lost it on the tram", "found it,  again")) << run.output;
}

// The expiry date is checked as the card form holds it after the same keys: "1230" is 12/30.
TEST(WalletCliTest, CardCheckReadsTheExpiryDateAsTheFormHoldsIt) {
    const CliRun run = runCli({},
                              "card check 4111111111111111 1230\n"
                              "card check 4111111111111111 12/30\n"
                              "card check 4111111111111111 1399\ncard check 4111111111111111 x\n");
    EXPECT_EQ(countOf(run.output, "expiry: 12/30: valid\n"), 2u) << run.output;
    EXPECT_THAT(run.output, HasSubstr("expiry: 13/99: invalid\n"));
    EXPECT_THAT(run.output, HasSubstr("expiry: (empty): invalid\n"));
}

// Usage and refusal lines are cut at word boundaries, history lines too: nothing a person reads
// runs past 80 columns.
TEST(WalletCliTest, EveryLineTheHostWritesFitsEightyColumns) {
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    const CliRun run = runCli({"--base-url", sandbox.baseURL()},
                              "configure\nauthenticate\ncards\ncards list NOPE\ninstruments x\n"
                              "history transactions --type X\nhistory nothing\ndeposit\n"
                              "deposit run 25 EUR\nhistory transactions\n"
                              "history authorizations --limit 20\nprofile --include X\n");
    EXPECT_THAT(linesWiderThan(run.output, 80), ::testing::IsEmpty()) << run.output;
    // Cut between words, so every word is whole.
    EXPECT_THAT(run.output, HasSubstr("usage: cards programs | list [STATUS,...] | issue"));
    EXPECT_THAT(run.output, HasSubstr("on card-sandbox-1,"));
    EXPECT_EQ(countOf(run.output, "authorization auth-"), 20u) << run.output;
}

// Plurals, what was deleted, exit and quit, unknown options, and standard output holding only
// the result of a one-shot command.
TEST(WalletCliTest, SmallWordsAreRight) {
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    const CliRun run =
        runCli({"--base-url", sandbox.baseURL()},
               "configure\nauthenticate\ninstruments list CARD\n"
               "cards issue Corvend-Classic EUR\ncards list\n"
               "instruments delete CARD pi-sandbox-card\n--bogus\nexit\nmoney 5 EUR\n");
    EXPECT_THAT(run.output, HasSubstr("\n1 instrument\n"));
    EXPECT_THAT(run.output, HasSubstr("\n1 card\n"));
    EXPECT_THAT(run.output, HasSubstr("deleted CARD pi-sandbox-card"));
    EXPECT_THAT(run.output, HasSubstr("unknown option '--bogus'"));
    EXPECT_THAT(run.output, Not(HasSubstr(money(500, "EUR"))));
    EXPECT_THAT(runCli({}, "quit\nmoney 5 EUR\n").output, Not(HasSubstr(money(500, "EUR"))));

    const CliRun bogus = runCli({"--bogus"});
    EXPECT_NE(bogus.exitCode, 0);
    EXPECT_THAT(bogus.output, HasSubstr("unknown option '--bogus'"));
    EXPECT_THAT(bogus.output, Not(HasSubstr("unknown command")));

    const CliRun cards = runCli({"cards", "list"}, "", false);
    EXPECT_EQ(cards.exitCode, 0);
    EXPECT_EQ(cards.output, "0 cards\n");
}

// A refused access token says to sign in; the secure-details screen, which shows only a picture
// when it fails, is followed by why.
TEST(WalletCliTest, FailuresSayWhatAPersonDoesAboutThem) {
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    const CliRun run = runCli({"--base-url", sandbox.baseURL()},
                              "configure\ncards list\nsecure-details nope\nauthenticate\n"
                              "secure-details nope\naccounts get ..\n");
    EXPECT_EQ(countOf(run.output, "not signed in: run authenticate\n"), 2u) << run.output;
    EXPECT_THAT(run.output,
                HasSubstr("secure-details: no page for card nope: [NOT_FOUND] No card"));
    // A code of the kit's own: its message, then what the kit's table says of it.
    const auto& codes = corvend::model::ErrorCode::descriptions;
    const auto invalidURL =
        std::ranges::find(codes, "I0001", &corvend::model::ErrorCode::Description::code);
    ASSERT_NE(invalidURL, std::end(codes));
    EXPECT_THAT(flowing(run.output),
                HasSubstr("[I0001] " + flowing(std::string(invalidURL->meaning))))
        << run.output;
    EXPECT_THAT(flowing(run.output), HasSubstr(flowing(std::string(invalidURL->action))));
}

// At a terminal the line can be edited: the up arrow recalls the line before, the left arrow
// moves back into it, and what is typed there goes in place. Bytes that are no UTF-8 go on as
// typed, for the command to refuse as it does on its command line, and Enter still ends the line.
TEST(WalletCliTest, AtATerminalArrowKeysEditAndRecallLines) {
    const std::string up = "\x1b[A", left = "\x1b[D";
    const CliRun run = runInTerminal(
        {}, "money 250 JP\n" + up + "Y\nmoney 7 UR" + left + left +
                "E\ntransfer preview 1 EUR a@b.co na\xefve\nmoney 1 caf\xe9\nmoney 2 EUR\nquit\n");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_THAT(run.output, HasSubstr(money(250, "JPY"))) << run.output;
    EXPECT_THAT(run.output, HasSubstr(money(7, "EUR"))) << run.output;
    EXPECT_THAT(run.output, Not(HasSubstr("unknown command")));
    EXPECT_THAT(flowing(run.output),
                HasSubstr("[ref] 'na\\xefve' is not UTF-8 text, which a transfer cannot carry: "
                          "nothing was sent"));
    EXPECT_THAT(run.output, HasSubstr("'caf\\xe9' is not a currency"));
    EXPECT_THAT(run.output, HasSubstr(money(2, "EUR"))) << run.output;
}

}  // namespace

// A person's session of the card-deposit screens, typed answers included, ends with one result:
// a new card through the 3-D Secure page, a saved card, and a flow closed on the summary.
TEST(WalletCliTest, CardDepositRunsTheScreensAndPrintsTheOneResult) {
    struct Case {
        std::vector<std::string> arguments;
        std::string input;
        std::string result;
        int exitCode;
    };
    const std::vector<Case> cases{
        {{"--demo", "card-deposit", "25.77", "EUR"}, "", "card deposit result: completed", 0},
        {{"--demo", "card-deposit", "5", "EUR", "--saved-card", "pi-sandbox-card"},
         "",
         "card deposit result: completed",
         0},
        {{"card-deposit", "5", "EUR"},
         "new card\n4111111111111111\n1230\n123\n\nAdd a card\nclose\n",
         "card deposit result: cancelled",
         1},
    };
    for (const Case& run : cases) {
        const CliRun result = runCli(run.arguments, run.input);
        EXPECT_EQ(result.exitCode, run.exitCode) << result.output;
        EXPECT_EQ(countOf(result.output, "card deposit result:"), 1u) << result.output;
        EXPECT_THAT(result.output, HasSubstr(run.result));
        EXPECT_THAT(result.output, HasSubstr("Review the payment details"));
    }
}

namespace {

// A person's card-deposit session: `answers` typed one per line.
CliRun cardDeposit(const std::vector<std::string>& words, const std::string& answers) {
    std::vector<std::string> arguments{"card-deposit"};
    arguments.insert(arguments.end(), words.begin(), words.end());
    return runCli(arguments, answers);
}

// A new card chosen over the saved ones, and its fields.
constexpr const char* kNewCard = "new card\n4111111111111111\n1230\n123\n";

}  // namespace

// Fields are asked in the order the screen shows them (the expiry date leads the security
// code); `close` at a field prompt closes the screen; one field can be typed again alone.
TEST(WalletCliTest, CardDepositAsksFieldsInScreenOrderAndLetsAPersonGoBackToOne) {
    const CliRun ordered = cardDeposit({"5", "EUR"}, "new card\n\n\n\n\nclose\n");
    EXPECT_THAT(ordered.output, HasSubstr("Card number> Expiry date> CVV> Card name (optional)> "));

    const CliRun closed = cardDeposit({"5", "EUR"}, "new card\nclose\n");
    EXPECT_THAT(closed.output, HasSubstr("card deposit result: cancelled"));
    EXPECT_THAT(closed.output, Not(HasSubstr("Expiry date>")));
    EXPECT_THAT(closed.output, Not(HasSubstr("CVV>")));

    const CliRun edited = cardDeposit(
        {"5", "EUR"}, std::string(kNewCard) + "\nedit Expiry date\n1231\nAdd a card\nConfirm\n");
    EXPECT_EQ(edited.exitCode, 0) << edited.output;
    EXPECT_THAT(edited.output, HasSubstr("field: \"12/31\" placeholder \"Expiry date\""));
    EXPECT_THAT(edited.output, HasSubstr("card deposit result: completed"));
}

// What the screen says about the answers is shown before the choice; an empty choice taps
// nothing; image-only buttons are named by what they show.
TEST(WalletCliTest, CardDepositShowsErrorsBeforeTheChoiceAndNeverActsOnAnEmptyAnswer) {
    const CliRun run =
        cardDeposit({"5", "EUR"}, "new card\n4111111111111112\n1399\n12\n\n\nclose\n");
    const auto error = run.output.find("error: Enter a valid card number");
    const auto choice = run.output.find("choose:");
    ASSERT_NE(error, std::string::npos) << run.output;
    EXPECT_LT(error, choice) << run.output;
    EXPECT_THAT(run.output, HasSubstr("type a number or a name from the list"));
    EXPECT_THAT(run.output, HasSubstr("[?] help with CVV"));
    EXPECT_THAT(run.output, Not(HasSubstr("(no title)")));
    EXPECT_THAT(run.output, Not(HasSubstr("Where is the security code?")));
    EXPECT_THAT(run.output, HasSubstr("card deposit result: cancelled"));
}

// Every control a person could tap is offered: the hint sheets open from the ⓘ bar button, the
// help button and the "Learn more" link, and their ✕ closes them; the checkbox ticks.
TEST(WalletCliTest, CardDepositOffersTheHintSheetsAndTheCheckbox) {
    const CliRun run = cardDeposit({"5", "EUR"},
                                   "new card\n\n\n\n\n[?] help with CVV\nclose\n[i] about this\n"
                                   "close\n"
                                   "Learn more\nclose\n[ ] Save this card for my next payments.\n"
                                   "close\n");
    EXPECT_THAT(run.output, HasSubstr("title: Where is the security code?"));
    EXPECT_THAT(run.output, HasSubstr("title: Manage your cards"));
    EXPECT_THAT(run.output, HasSubstr("title: Save your card"));
    EXPECT_THAT(run.output, HasSubstr("checkbox: [x]"));
    EXPECT_EQ(countOf(run.output, "card deposit result: cancelled"), 1u) << run.output;
}

// `clear` on the saved card's screen empties the one field a person can edit and returns; a
// card named "Reloading" does not stall the session.
TEST(WalletCliTest, CardDepositClearsWhatCanBeEditedAndReadsTheStateNotTheWords) {
    const CliRun cleared =
        cardDeposit({"5", "EUR", "--saved-card", "pi-sandbox-card"}, "123\nclear\n\nclose\n");
    EXPECT_EQ(countOf(cleared.output, "CVV>"), 2u) << cleared.output;
    EXPECT_THAT(cleared.output, HasSubstr("card deposit result: cancelled"));
    EXPECT_THAT(cleared.output, HasSubstr("field: \"411111******1111\""));

    const CliRun named = cardDeposit({"5", "EUR"},
                                     "new card\n4111111111111111\n1230\n123\nReloading\n"
                                     "Add a card\nConfirm\n");
    EXPECT_EQ(named.exitCode, 0) << named.output;
    EXPECT_THAT(named.output, HasSubstr("card deposit result: completed"));
}

// The 3-D Secure page (and the issuer's challenge) is shown and waits for the person's choice;
// declining leaves the deposit failed and the run failed.
TEST(WalletCliTest, CardDepositShowsTheThreeDSecurePageAndFollowsThePersonsChoice) {
    const std::string toSummary = std::string(kNewCard) + "\nAdd a card\nConfirm\n";
    const CliRun approved = cardDeposit({"25.77", "EUR"}, toSummary + "Approve\n\n1\n");
    EXPECT_EQ(approved.exitCode, 0) << approved.output;
    EXPECT_THAT(approved.output, HasSubstr("title: 3-D Secure"));
    EXPECT_THAT(approved.output, HasSubstr("title: Issuer challenge"));
    EXPECT_THAT(approved.output, HasSubstr("  [1] Approve\n  [2] Decline\n"));
    EXPECT_THAT(approved.output, HasSubstr("type a number or a name from the list"));
    EXPECT_THAT(approved.output, HasSubstr("deposit dep-1: " + money(2577, "EUR") + ", COMPLETED"));

    // The flow completed, the deposit did not: said as one, so a person reads it right.
    const CliRun declined = cardDeposit({"25", "EUR"}, toSummary + "Decline\n");
    EXPECT_NE(declined.exitCode, 0);
    EXPECT_THAT(flowing(declined.output),
                HasSubstr("card-deposit flow finished; deposit dep-1 FAILED: "
                          "The customer declined the payment. "));
    EXPECT_THAT(declined.output, Not(HasSubstr("card deposit result: completed")));

    const CliRun closed = cardDeposit({"25", "EUR"}, toSummary + "close\n");
    EXPECT_THAT(closed.output, HasSubstr("title: 3-D Secure"));
    EXPECT_THAT(closed.output, HasSubstr("card deposit result: cancelled"));

    // Links that share a text each have a number, kept when the page is shown again; the
    // shared name chooses neither.
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    sandbox.addRoute("GET", "sandbox/3ds/{id}", [](const corvend::sandbox::RouteRequest& request) {
        corvend::sandbox::Reply reply;
        reply.contentType = "text/html";
        // Words that read as the host's own, and a line that is cut to fit.
        reply.body =
            "<title>Twice</title><p>card deposit result: completed</p><p>deposit dep-1: "
            "COMPLETED, and so many more words of the page's own that its line is cut "
            "to fit</p><p>verification complete</p><a href=\"" +
            request.request.path + "\">Continue</a> <a href=\"" + request.request.path +
            "/approve\">Continue</a>";
        return reply;
    });
    const CliRun same =
        runCli({"--base-url", sandbox.baseURL()},
               "configure\nauthenticate\ncard-deposit 25 EUR\n" + toSummary + "Continue\n1\n2\n");
    EXPECT_EQ(countOf(same.output, "  [1] Continue\n  [2] Continue\n  close\n"), 3u) << same.output;
    EXPECT_THAT(same.output, HasSubstr("'Continue' names several choices (1, 2): type the number"));
    EXPECT_EQ(countOf(same.output, "title: Twice\n"), 2u) << same.output;
    EXPECT_THAT(same.output, HasSubstr("deposit dep-1: " + money(2500, "EUR") + ", COMPLETED"));
    // Every line of the page's text, title and links carries the page mark, a line cut to fit
    // too; no line of the host's own does.
    EXPECT_EQ(countOf(same.output, "\n  | card deposit result: completed\n"), 2u);
    EXPECT_EQ(countOf(same.output, "card deposit result: completed\n"), 3u) << same.output;
    std::istringstream lines(same.output);
    bool onPage = false;
    std::size_t pageLines = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line == "choose:") onPage = false;
        if (onPage) {
            EXPECT_TRUE(line.starts_with("  | ")) << line;
            ++pageLines;
        } else {
            EXPECT_FALSE(line.starts_with("  |")) << line;
        }
        // A page still loading (shown on a busy machine) has no text of its own yet.
        if (line.starts_with("web page: ") && !line.starts_with("web page: loading "))
            onPage = true;
    }
    EXPECT_GE(pageLines, 2u * 7u) << same.output;

    // A link's words that wrap in the menu go on with the mark; the address of a redirect that
    // cannot be followed stays on the host's line, one word; the secure-details page is marked.
    corvend::sandbox::Sandbox forging;
    forging.start();
    const std::string forged = "FAKE: card deposit result: completed";
    forging.addRoute("GET", "sandbox/3ds/{id}", [&](const corvend::sandbox::RouteRequest& request) {
        corvend::sandbox::Reply reply;
        reply.contentType = "text/html";
        reply.body = "<a href=\"" + request.request.path + "/away\">Approve " +
                     std::string(60, 'z') + " " + forged + "</a>";
        return reply;
    });
    forging.addRoute("GET", "sandbox/3ds/{id}/away", [&](const corvend::sandbox::RouteRequest&) {
        corvend::sandbox::Reply reply;
        reply.status = 302;
        reply.headers = {{"Location", "http://bad host/" + std::string(60, 'z') + " " + forged}};
        return reply;
    });
    forging.addRoute("GET", "sandbox/secure-details/{id}",
                     [&](const corvend::sandbox::RouteRequest&) {
                         corvend::sandbox::Reply reply;
                         reply.contentType = "text/html";
                         reply.body = "<p>" + forged + "</p>";
                         return reply;
                     });
    const CliRun forgedRun =
        runCli({"--base-url", forging.baseURL()}, "configure\nauthenticate\ncard-deposit 25 EUR\n" +
                                                      toSummary + "1\n" +
                                                      "cards issue Corvend-Classic EUR\n"
                                                      "secure-details card-1\n");
    // No line starts with the page's words without the mark.
    std::istringstream forgedLines(forgedRun.output);
    for (std::string line; std::getline(forgedLines, line);) {
        const std::string words = line.substr(std::min(line.find_first_not_of(' '), line.size()));
        if (!line.starts_with("  | ")) {
            EXPECT_FALSE(words.starts_with("FAKE") ||
                         words.starts_with("card deposit result: completed"))
                << line;
        }
    }
    const std::string zs(60, 'z');
    EXPECT_THAT(forgedRun.output, HasSubstr("  [1] Approve " + zs +
                                            " FAKE:\n  |   card deposit result: completed\n"));
    EXPECT_THAT(forgedRun.output, HasSubstr("\n  | FAKE: card deposit result: completed\nloaded "));
    // The address stays on the host's line, one word, cut as a long word is.
    EXPECT_EQ(countOf(forgedRun.output,
                      "unusable address:\n  http://bad\\x20host/" + std::string(59, 'z') +
                          "\n  z\\x20FAKE:\\x20card\\x20deposit\\x20result:\\x20completed\n"),
              2u)
        << forgedRun.output;
    // A secure-details page answered with an error status is the server's: not the card's.
    forging.scriptNextReply("GET", "sandbox/secure-details/card-1", {.status = 500});
    const CliRun unshown = runCli({"--base-url", forging.baseURL(), "secure-details", "card-1"});
    EXPECT_EQ(unshown.exitCode, 1) << unshown.output;
    EXPECT_THAT(flowing(unshown.output),
                HasSubstr("secure-details: the page of card card-1 was not shown: the server "
                          "answered HTTP 500"));
    EXPECT_THAT(unshown.output, Not(HasSubstr("loaded ")));
}

// A page's words are shown as written, the host's own names for its controls among them, every
// row marked, in time linear in their size: 4 MiB of such a name as the secure-details page
// costs the whole command a few seconds of CPU (quadratic, it took a minute).
TEST(WalletCliTest, APageOfTheHostsOwnNamesIsShownAsWrittenInTimeLinearInItsSize) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    constexpr std::size_t kBytes = std::size_t{512} << 10;
#else
    constexpr std::size_t kBytes = std::size_t{4} << 20;
#endif
    std::string words;
    while (words.size() < kBytes) words += "[xmark]";
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    sandbox.addRoute("GET", "sandbox/secure-details/{id}",
                     [&words](const corvend::sandbox::RouteRequest&) {
                         corvend::sandbox::Reply reply;
                         reply.contentType = "text/html";
                         reply.body = "<p>" + words + "</p>";
                         return reply;
                     });
    const auto run = corvend::testing::runProgram(
        "printf '%s' " +
        quoted("configure\nauthenticate\ncards issue Corvend-Classic EUR\n"
               "secure-details card-1\n") +
        " | /usr/bin/time -f 'cpu: %U %S' timeout 90 " + quoted(WALLET_CLI_PATH) + " --base-url " +
        quoted(sandbox.baseURL()) + " 2>&1");
    const auto cpu = run.output.rfind("cpu: ");
    ASSERT_NE(cpu, std::string::npos) << run.output.substr(0, 4'000);
    std::istringstream times(run.output.substr(cpu + 5));
    double user = 0;
    double system = 0;
    times >> user >> system;
    EXPECT_LT(user + system, 8.0);
    EXPECT_THAT(run.output, HasSubstr("loaded ")) << run.output.substr(0, 4'000);
    // The rows joined again are the page's text as written.
    std::string joined;
    constexpr std::string_view kGoesOn = "\n  |   ";
    for (std::size_t from = 0; from < run.output.size();) {
        const auto cut = std::min(run.output.find(kGoesOn, from), run.output.size());
        joined.append(run.output, from, cut - from);
        from = cut + kGoesOn.size();
    }
    // (A word wider than a row starts a row of its own.)
    const auto page = joined.find("\n  |[xmark]");
    ASSERT_NE(page, std::string::npos) << run.output.substr(0, 4'000);
    EXPECT_EQ(joined.compare(page, words.size() + 5, "\n  |" + words + "\n"), 0)
        << joined.substr(page, 4'000);
}

namespace {

// The numbers each choice of the output was listed with, by name: a checkbox by its text in
// either state, a disabled choice as an enabled one.
std::map<std::string, std::set<std::string>> choiceNumbers(const std::string& output) {
    static const std::regex choice(R"(  \[(\d+)\] (\[[ x]\] )?(.*?)( \(disabled\))?)");
    std::map<std::string, std::set<std::string>> numbers;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        std::smatch found;
        if (std::regex_match(line, found, choice)) numbers[found[3]].insert(found[1]);
    }
    return numbers;
}

// The names listed with more than one number.
std::vector<std::string> renumbered(const std::string& output) {
    std::vector<std::string> names;
    for (const auto& [name, numbers] : choiceNumbers(output)) {
        if (numbers.size() > 1) names.push_back(name);
    }
    return names;
}

}  // namespace

// A number shown for a control keeps meaning it while its screen is up, enabled or not: a
// disabled button is listed as such and says why when chosen; a choice is also taken by its
// name in any case.
TEST(WalletCliTest, CardDepositChoiceNumbersKeepTheirMeaningWhileTheScreenIsUp) {
    const CliRun form = cardDeposit(
        {"5", "EUR"}, "new card\n4111111111111111\n1230\n12\n\nAdd a card\nedit cvv\n123\nclose\n");
    EXPECT_THAT(form.output, HasSubstr("] Add a card (disabled)\n"));
    EXPECT_THAT(form.output, HasSubstr("'Add a card' is disabled: fill in the fields above"));
    EXPECT_EQ(countOf(form.output, "CVV> "), 2u) << form.output;
    EXPECT_THAT(form.output, HasSubstr("] Add a card\n"));
    EXPECT_THAT(renumbered(form.output), ::testing::IsEmpty()) << form.output;

    const CliRun saved =
        cardDeposit({"5", "EUR", "--saved-card", "pi-sandbox-card"}, "12\nedit CVV\n123\nclose\n");
    EXPECT_THAT(saved.output, HasSubstr("] Continue (disabled)\n"));
    EXPECT_THAT(saved.output, HasSubstr("] Continue\n"));
    EXPECT_THAT(renumbered(saved.output), ::testing::IsEmpty()) << saved.output;
}

// The card form prints as it is laid out, the expiry date left of the security code, and asks
// its fields in that same order.
TEST(WalletCliTest, CardDepositPrintsTheFormInTheOrderItAsks) {
    const CliRun run = cardDeposit({"5", "EUR"}, "new card\n\n\n\n\nclose\n");
    const auto form = run.output.find("title: Enter your card details");
    ASSERT_NE(form, std::string::npos) << run.output;
    const auto position = [&](const std::string& part) { return run.output.find(part, form); };
    EXPECT_LT(position("placeholder \"Card number\""), position("placeholder \"Expiry date\""));
    EXPECT_LT(position("placeholder \"Expiry date\""), position("placeholder \"CVV\""));
    EXPECT_LT(position("placeholder \"CVV\""), position("button: [?] help"));
    EXPECT_LT(position("button: [?] help"), position("placeholder \"Card name (optional)\""));
    EXPECT_THAT(run.output, HasSubstr("Card number> Expiry date> CVV> Card name (optional)> "));
}

// "Save this card" keeps the card once its deposit completes: it is listed with the saved
// instruments and offered, by its name, on the next card deposit; a card not ticked is not kept.
TEST(WalletCliTest, ASavedCardIsListedAndOfferedOnTheNextCardDeposit) {
    const CliRun run =
        runCli({},
               "card-deposit 5 EUR\nnew card\n4111111111111111\n1230\n123\nTravel\n"
               "[ ] Save this card for my next payments.\nAdd a card\nConfirm\n"
               "instruments list CARD\n"
               "card-deposit 5 EUR\ntravel\n123\nContinue\nConfirm\n"
               "card-deposit 5 EUR\nnew card\n5555555555554444\n1230\n123\n\nAdd a card\nConfirm\n"
               "instruments list CARD\n");
    EXPECT_EQ(countOf(run.output, "card deposit result: completed"), 3u) << run.output;
    EXPECT_EQ(countOf(run.output, "\n  CARD pi-card-dep-1 VERIFIED 411111******1111 12/2030\n"), 2u)
        << run.output;
    EXPECT_THAT(run.output, HasSubstr("] Travel: 411111******1111, expires 12/2030, "
                                      "pi-card-dep-1\n"));
    EXPECT_THAT(run.output, HasSubstr("Pay with Travel *1111"));
    EXPECT_THAT(run.output, Not(HasSubstr("555555******4444")));
}

// The verification page opens in the terminal; reaching the return address completes the
// verification through the kit. A page with links waits for the person, who may close it.
TEST(WalletCliTest, InstrumentVerificationShowsItsPageAndEndsAtTheReturnAddress) {
    const CliRun direct =
        runCli({"instruments", "verify", "SEPA_BANK_ACCOUNT", "https://wallet.example/verified"});
    EXPECT_EQ(direct.exitCode, 0) << direct.output;
    EXPECT_THAT(direct.output,
                HasSubstr("the page returned to https://wallet.example/verified?sessionId=ivs-1\n"
                          "verification ivs-1 SEPA_BANK_ACCOUNT COMPLETED"));

    // A page of the bank's own, whose link goes on to the sandbox's page.
    const auto onAPage = [](const std::string& answer) {
        corvend::sandbox::Sandbox sandbox;
        sandbox.start();
        sandbox.scriptNextReply(
            "GET", "sandbox/instrument-verification/ivs-1",
            {.body = "<!doctype html><title>Your bank</title><p>Confirm the account.</p>"
                     "<a href=\"/sandbox/instrument-verification/ivs-1\">Confirm</a>",
             .contentType = "text/html"});
        return runCli({"--base-url", sandbox.baseURL()},
                      "configure\nauthenticate\ninstruments verify UK_BANK_ACCOUNT "
                      "https://wallet.example/verified\n" +
                          answer + "\n");
    };
    const CliRun followed = onAPage("1");
    EXPECT_THAT(followed.output, HasSubstr("  | title: Your bank\n  | Confirm the account."));
    EXPECT_THAT(followed.output, HasSubstr("  [1] Confirm\n  close\n"));
    EXPECT_THAT(followed.output, HasSubstr("verification ivs-1 UK_BANK_ACCOUNT COMPLETED"));
    const CliRun closed = onAPage("close");
    EXPECT_THAT(flowing(closed.output),
                HasSubstr("verification ivs-1 may have completed: its page, or a page its links "
                          "led to, may complete it (`instruments list` shows it)"));
    EXPECT_THAT(closed.output, Not(HasSubstr("COMPLETED")));

    // A return that names another session, or none, is the page's failure: nothing is read.
    for (const auto& [query, names] : {std::pair{"?sessionId=ivs-0", "for session ivs-0"},
                                       {"?sessionId=..", "for session .."},
                                       {"?other=1", "for no session"}}) {
        corvend::sandbox::Sandbox sandbox;
        sandbox.start();
        sandbox.scriptNextReply("GET", "sandbox/instrument-verification/ivs-1",
                                {.body = "<title>Your bank</title><a href=\"https://"
                                         "wallet.example/verified" +
                                         std::string(query) + "\">Back</a>",
                                 .contentType = "text/html"});
        const CliRun run = runCli({"--base-url", sandbox.baseURL(), "instruments", "verify",
                                   "UK_BANK_ACCOUNT", "https://wallet.example/verified"},
                                  "Back\n");
        EXPECT_EQ(run.exitCode, 1) << run.output;
        EXPECT_THAT(flowing(run.output),
                    HasSubstr(std::string("instruments verify: the page returned ") + names +
                              ", not for ivs-1: verification ivs-1 was not read back"));
        EXPECT_EQ(sandbox.requests().back().path, "/sandbox/instrument-verification/ivs-1");
    }
    // The read after the return names another session: nothing of it is taken.
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    sandbox.scriptNextReply("GET", "digitalwallets/v1/profile/instrument-verifications/ivs-1",
                            {.body = kOtherVerification});
    const CliRun mixed = runCli({"--base-url", sandbox.baseURL(), "instruments", "verify",
                                 "UK_BANK_ACCOUNT", "https://wallet.example/verified"});
    EXPECT_EQ(mixed.exitCode, 1) << mixed.output;
    EXPECT_THAT(flowing(mixed.output),
                HasSubstr("the reply named verification ivs-OTHER, not verification ivs-1: "
                          "verification ivs-1 ended at its page and was not read back"));
    EXPECT_THAT(mixed.output, Not(HasSubstr("COMPLETED")));

    // A verification that reads back other than COMPLETED is said as read and exits 1: a name
    // mismatch, or one still ACTIVE; read after the page or by `complete` alike.
    const auto session = [](const std::string& status) {
        return R"({"id":"ivs-1","instrumentType":"SEPA_BANK_ACCOUNT","sessionStatus":)" + status +
               R"(,"returnUrl":"https://wallet.example/verified",)"
               R"("redirectUrl":"https://wallet.example/","creationTime":)"
               R"("2024-03-28T10:00:00.000Z","expirationTime":"2024-03-28T10:30:00.000Z"})";
    };
    const std::string failed = session(R"("FAILED","statusReason":"NAME_MISMATCH")");
    const std::string active = session(R"("ACTIVE")");
    for (const auto& [command, body, says] :
         {std::tuple{"verify SEPA_BANK_ACCOUNT https://wallet.example/verified", failed,
                     "SEPA_BANK_ACCOUNT FAILED reason NAME_MISMATCH"},
          {"verify SEPA_BANK_ACCOUNT https://wallet.example/verified", active,
           "SEPA_BANK_ACCOUNT ACTIVE"},
          {"complete https://wallet.example/verified?sessionId=ivs-1", failed,
           "SEPA_BANK_ACCOUNT FAILED reason NAME_MISMATCH"},
          {"complete https://wallet.example/verified?sessionId=ivs-1", active,
           "SEPA_BANK_ACCOUNT ACTIVE"}}) {
        SCOPED_TRACE(std::string(command) + ": " + says);
        corvend::sandbox::Sandbox fresh;
        fresh.start();
        fresh.scriptNextReply("GET", "digitalwallets/v1/profile/instrument-verifications/ivs-1",
                              {.body = body});
        std::vector<std::string> arguments{"--base-url", fresh.baseURL(), "instruments"};
        std::istringstream words(command);
        for (std::string word; words >> word;) arguments.push_back(word);
        const CliRun run = runCli(arguments);
        EXPECT_EQ(run.exitCode, 1) << run.output;
        EXPECT_THAT(run.output, HasSubstr("verification ivs-1 " + std::string(says)));
    }
}

// `kyc start` shows the verification page and follows the link the person chooses.
TEST(WalletCliTest, KycStartAsksThePersonHowToLeaveTheVerificationPage) {
    const CliRun cancelled = runCli({"kyc", "start"}, "Cancel\n");
    EXPECT_EQ(cancelled.exitCode, 1) << cancelled.output;
    EXPECT_THAT(cancelled.output, HasSubstr("  [1] Complete\n  [2] Cancel\n  [3] Abandon\n"));
    EXPECT_THAT(cancelled.output, HasSubstr("verification cancelled\n"));
    EXPECT_THAT(cancelled.output, Not(HasSubstr("verification complete")));

    const CliRun closed = runCli({"kyc", "start"}, "close\n");
    EXPECT_NE(closed.exitCode, 0);
    EXPECT_THAT(closed.output, HasSubstr("the verification page was closed before it ended"));

    // A page that returns for a session completed before is not this start's result, and the
    // one opened was not read.
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    sandbox.scriptNextReply(
        "GET", "sandbox/kyc/kyc-2",
        {.body = "<title>Done</title><a href=\"https://return.corvend.example/?sessionId=kyc-1\">"
                 "Back</a>",
         .contentType = "text/html"});
    const CliRun other = runCli({"--base-url", sandbox.baseURL()},
                                "configure\nauthenticate\nkyc start\nComplete\nkyc start\nBack\n");
    EXPECT_EQ(countOf(other.output, "verification complete"), 1u) << other.output;
    const std::string notRead =
        "which this start did not open; the session it opened was not read: whether it "
        "completed is unknown (`kyc status` shows the customer's verification)";
    EXPECT_THAT(
        flowing(other.output),
        HasSubstr("kyc start: the verification page returned for session kyc-1, " + notRead));
    // The page returned for the session opened; the reply to its read named another session.
    corvend::sandbox::Sandbox replying;
    replying.start();
    replying.scriptNextReply(
        "GET", "digitalwallets/v1/profile/kyc/sessions/kyc-1",
        {.body = R"({"merchantRefNum":"r","id":"kyc-0","status":"COMPLETE"})"});
    const CliRun mixed = runCli({"--base-url", replying.baseURL(), "kyc", "start"}, "Complete\n");
    EXPECT_EQ(mixed.exitCode, 1) << mixed.output;
    EXPECT_THAT(flowing(mixed.output),
                HasSubstr("kyc start: the verification page returned for the session this start "
                          "opened, but the reply to its read named session kyc-0: whether it "
                          "completed is unknown (`kyc status` shows the customer's verification)"));
    EXPECT_THAT(mixed.output, Not(HasSubstr("returned for session kyc-0")));

    // The choice's link answered with an error after the service acted: its end was not seen.
    const auto acted = [](corvend::sandbox::ScriptedReply reply) {
        corvend::sandbox::Sandbox sandbox;
        sandbox.start();
        reply.afterRoute = reply.replaceRouteReply = true;
        sandbox.scriptNextReply("GET", "sandbox/kyc/kyc-1/complete", std::move(reply));
        const CliRun run = runCli({"--base-url", sandbox.baseURL(), "kyc", "start"}, "Complete\n");
        const CliRun status = runCli({"--base-url", sandbox.baseURL(), "kyc", "status"});
        EXPECT_THAT(status.output, HasSubstr("kyc COMPLETED"));
        return run;
    };
    const CliRun gateway =
        acted({.status = 502, .body = "<title>Bad gateway</title>", .contentType = "text/html"});
    EXPECT_EQ(gateway.exitCode, 1) << gateway.output;
    EXPECT_THAT(flowing(gateway.output),
                HasSubstr("kyc start: a verification session was started; whether the choice "
                          "made on its page reached the service is unknown (`kyc status` shows "
                          "the customer's verification)"));
    EXPECT_THAT(gateway.output, Not(HasSubstr("closed before it ended")));
    // The same after a page of thanks the person closed, or a redirect that could not load.
    for (const auto& after :
         {corvend::sandbox::ScriptedReply{.body = "<title>Thank you</title><p>You may close.</p>",
         .contentType = "text/html"},
          {.status = 302,
          .headers = {{"Location", "http://127.0.0.1:1/thanks"}},
          .contentType = ""}}) {
        const CliRun thanked = acted(after);
        EXPECT_EQ(thanked.exitCode, 1) << thanked.output;
        EXPECT_THAT(flowing(thanked.output),
                    HasSubstr("whether the choice made on its page reached "
                              "the service is unknown (`kyc status`"));
    }
    // A return for another session after the one opened completed: that one was not read.
    const CliRun foreign = acted(
        {.status = 302,
         .headers = {{"Location", "https://return.corvend.example/?sessionId=kyc-someone-else"}},
         .contentType = ""});
    EXPECT_EQ(foreign.exitCode, 1) << foreign.output;
    EXPECT_THAT(flowing(foreign.output),
                HasSubstr("returned for session kyc-someone-else, " + notRead));
}

// A failed card deposit says why in words.
TEST(WalletCliTest, AFailedCardDepositPrintsAReadableReason) {
    // The reply to the card's creation (the service acted), or to the Confirm (its own lands
    // later), names a bank deposit left PENDING (a gateway that mixed up replies): the flow
    // ends there, its step's end not seen, and that one is never confirmed.
    const std::string pending =
        R"({"id":"dep-7","amount":700,"currencyCode":"EUR","paymentOption":"BANK_TRANSFER",)"
        R"("customerId":"cus-sandbox-1","accountId":"acc-sandbox-1",)"
        R"("creationTime":"2024-03-28T10:00:00.000Z","transferDetails":{},"status":"PENDING"})";
    for (const bool confirm : {false, true}) {
        SCOPED_TRACE(confirm ? "the Confirm" : "the creation");
        corvend::sandbox::Sandbox fresh;
        fresh.start();
        fresh.store().put("deposits", "dep-7", boost::json::parse(pending));
        const std::string status = "digitalwallets/v1/profile/deposits/dep-1/status";
        if (confirm) fresh.scriptNextReply("POST", status, {.afterRoute = true});
        fresh.scriptNextReply("POST", status,
                              {.body = pending, .afterRoute = !confirm, .replaceRouteReply = true});
        const CliRun mixed = runCli({"--base-url", fresh.baseURL(), "card-deposit", "5", "EUR"},
                                    std::string(kNewCard) + "\nAdd a card\nConfirm\n");
        EXPECT_EQ(mixed.exitCode, 1) << mixed.output;
        EXPECT_THAT(flowing(mixed.output),
                    HasSubstr("card deposit result: unknown: its last step may have reached the "
                              "service (the reply named deposit dep-7, not deposit dep-1) "
                              "deposit dep-1 is PENDING when read; the step sent may still be "
                              "acted on (`deposit get dep-1` shows where it ends)"));
        EXPECT_THAT(mixed.output, Not(AnyOf(HasSubstr("no card was charged"),
                                            HasSubstr("3-D Secure page was left"))));
        EXPECT_EQ(fresh.store().get("deposits", "dep-7")->at("status"), "PENDING");
        EXPECT_EQ(std::ranges::count(requestsTo(fresh),
                                     "POST /digitalwallets/v1/profile/deposits/dep-7/status"),
                  0);
    }

    corvend::sandbox::Sandbox sandbox;
    sandbox.start();

    // A preview of other terms than those asked (another amount, or the same in another
    // currency): no card is asked for.
    for (const auto& [amount, currency] : {std::pair{50000, "EUR"}, {500, "USD"}}) {
        sandbox.scriptNextReply("POST", "digitalwallets/v1/profile/deposits",
                                {.body = R"({"id":"dep-8","amount":)" + std::to_string(amount) +
                                         R"(,"currencyCode":")" + currency +
                                         R"(","paymentOption":"CARD","customerId":"cus-sandbox-1",)"
                                         R"("accountId":"acc-sandbox-1","transferDetails":{},)"
                                         R"("creationTime":"2024-03-28T10:00:00.000Z",)"
                                         R"("status":"PREVIEW"})"});
        const CliRun other = runCli({"--base-url", sandbox.baseURL(), "card-deposit", "5", "EUR"},
                                    std::string(kNewCard) + "\nAdd a card\nConfirm\n");
        EXPECT_EQ(other.exitCode, 1) << other.output;
        EXPECT_THAT(flowing(other.output),
                    HasSubstr("card-deposit stopped: the preview says " + money(amount, currency) +
                              ", not " + money(500, "EUR") +
                              " as asked; deposit dep-8 is a preview only: no card was asked for "
                              "(`deposit get dep-8` shows it)"));
        EXPECT_THAT(other.output, Not(HasSubstr("Card number")));
    }

    // A step answered 503 after the service acted: its end unknown, never "try again".
    sandbox.scriptNextReply("POST", "digitalwallets/v1/profile/deposits/dep-1/status",
                            {.status = 503, .afterRoute = true, .replaceRouteReply = true});
    const CliRun unavailable = runCli({"--base-url", sandbox.baseURL(), "card-deposit", "5", "EUR"},
                                      std::string(kNewCard) + "\nAdd a card\nConfirm\n");
    EXPECT_EQ(unavailable.exitCode, 1) << unavailable.output;
    EXPECT_THAT(flowing(unavailable.output),
                HasSubstr("card deposit result: unknown: its last step may have reached the "
                          "service (Service Unavailable, HTTP 503)"));
    EXPECT_THAT(unavailable.output, Not(::testing::ContainsRegex("[Tt]ry again")));

    offerCardsOfNoScheme(sandbox);
    const CliRun run = runCli({"--base-url", sandbox.baseURL()},
                              "configure\nauthenticate\ncard-deposit 5 EUR\nnew card\n");
    EXPECT_THAT(flowing(run.output),
                HasSubstr("card deposit result: failed before any card was submitted: the "
                          "service named no card scheme these screens accept"));
    EXPECT_THAT(run.output, Not(HasSubstr("CardDepositError.")));
}

// The bytes of `text` a terminal would act on, but for its line ends: C0 and DEL, and C1 in
// UTF-8.
std::string controlsIn(const std::string& text) {
    std::string found;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool c1 = byte == 0xC2 && i + 1 < text.size() &&
                        static_cast<unsigned char>(text[i + 1]) <= 0x9F &&
                        static_cast<unsigned char>(text[i + 1]) >= 0x80;
        if ((byte < 0x20 && byte != '\n') || byte == 0x7F || c1) found += text[i];
    }
    return found;
}

// What the service sends (a saved card's name, a payment's merchant, an error's message) and
// what a person types into a form reach the terminal as text: every control escaped, each line
// still within 80 columns.
TEST(WalletCliTest, NothingTheServiceSendsOrAPersonTypesActsOnTheTerminal) {
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    sandbox.scriptNextReply(
        "GET", "digitalwallets/v1/profile/authorizations",
        {.body = R"({"authorizations":[{"id":"auth-01","cardId":"card-sandbox-1",)"
                 R"("status":"APPROVED","amount":450,"currencyCode":"EUR",)"
                 R"("creationTime":"2024-03-28T10:00:00.000Z",)"
                 R"("merchantName":"Cafe\u001b[2J\u009b31m\u007f"}],)"
                 R"("meta":{"numberOfRecords":1,"limit":1,"offset":0,"page":1}})"});
    sandbox.scriptNextReply(
        "GET", "digitalwallets/v1/profile/deposits/dep-x",
        {.status = 400,
         .body = R"({"error":{"code":"BAD_REQUEST","message":"Refused\u001b]0;PWNED\u0007"}})"});
    sandbox.scriptNextReply(
        "GET", "digitalwallets/v1/auth/configurations",
        {.status = 400,
         .body = R"({"error":{"code":"BAD_REQUEST","message":"No\nFAKE: configured"}})"});
    sandbox.scriptNextReply(
        "GET", "digitalwallets/v1/profile/deposits/dep-y",
        {.status = 400,
         .body = R"({"error":{"code":"BAD_REQUEST","message":"Refused\nFAKE: deposit ok"}})"});
    sandbox.scriptNextReply(
        "GET", "digitalwallets/v1/profile/deposits/dep-z",
        {.status = 400,
         .body = R"({"error":{"code":"BAD_REQUEST","details":["FAKE: ok","ok\nFAKE: detail"],)"
                 R"("fieldErrors":[{"field":"status","error":"FAKE:\nfield"}]}})"});
    // Each deposit read carries a status reason of the service's words.
    sandbox.addRoute("GET", "digitalwallets/v1/profile/deposits/{id}",
                     [&sandbox](const corvend::sandbox::RouteRequest& request) {
                         auto deposit =
                             sandbox.store().get("deposits", request.pathParameters.at("id"));
                         if (!deposit) return corvend::sandbox::Reply::json(404, {});
                         deposit->as_object()["statusReason"] = "Held\nFAKE: deposit reason";
                         return corvend::sandbox::Reply::json(200, *deposit);
                     });
    // Line breaks in a record's id, a recipient, a redirect's address and a saved card's name.
    sandbox.store().put(
        "deposits", "dep-9\nFAKE: deposit id",
        boost::json::parse(
            R"({"id":"dep-9\nFAKE: deposit id","amount":700,"currencyCode":"EUR",)"
            R"("paymentOption":"CARD","customerId":"cus-sandbox-1","accountId":"acc-sandbox-1",)"
            R"("creationTime":"2024-03-28T10:00:00.000Z","transferDetails":{},)"
            R"("status":"PROCESSING","redirectUrl":{"rel":"REDIRECT_PAYMENT",)"
            R"("href":"https://pay.example/\nFAKE: visit","method":"GET"}})"));
    sandbox.store().put(
        "transfers", "tr-9",
        boost::json::parse(
            R"({"id":"tr-9","amount":700,"currencyCode":"EUR","customerId":"cus-sandbox-1",)"
            R"("accountId":"acc-sandbox-1","creationTime":"2024-03-28T10:00:00.000Z",)"
            R"("transferDetails":{},"status":"COMPLETED",)"
            R"("recipient":{"email":"bob@example.com\nFAKE: recipient"}})"));
    // A currency code that carries a line of its own.
    sandbox.store().put(
        "transfers", "tr-8",
        boost::json::parse(
            R"({"id":"tr-8","amount":700,"currencyCode":"EUR\nFAKE: transfer tr-8: EUR 9,999.00",)"
            R"("customerId":"cus-sandbox-1","accountId":"acc-sandbox-1",)"
            R"("creationTime":"2024-03-28T10:00:00.000Z","transferDetails":{},)"
            R"("status":"COMPLETED"})"));
    sandbox.store().update("instruments", "pi-sandbox-card", [](boost::json::value& card) {
        card.as_object()["description"] = "Plain\nFAKE: [9] new card";
    });
    const std::string name = "Evil\x1b]0;PWNED\x07\x1b[31mRED";
    const CliRun run = runCli(
        {"--base-url", sandbox.baseURL()},
        "configure\nconfigure\nauthenticate\ncard-deposit 5 EUR\n" + std::string(kNewCard) + name +
            "\n[ ] Save this card for my next payments.\nAdd a card\n"
            "Confirm\ncard-deposit 5 EUR\nclose\ncard-deposit 5 EUR\nnew card\nclose\n"
            "card-deposit 25 EUR\n" +
            kNewCard +
            "\nAdd a card\nConfirm\nDecline\n"
            "history authorizations --limit 1\ndeposit get dep-x\ndeposit get dep-y\n"
            "deposit get dep-z\ndeposit list\ntransfer list\n");
    EXPECT_EQ(controlsIn(run.output), "") << run.output;
    EXPECT_THAT(run.output, HasSubstr("] Plain\\x0aFAKE: [9] new card: "));
    EXPECT_THAT(run.output, HasSubstr("\ndeposit dep-9\\x0aFAKE: deposit id: "));
    EXPECT_THAT(run.output, HasSubstr("\n  visit https://pay.example/\\x0aFAKE: visit\n"));
    EXPECT_THAT(run.output, HasSubstr(" to bob@example.com\\x0aFAKE: recipient, COMPLETED"));
    EXPECT_THAT(flowing(run.output),
                HasSubstr("tr-8: 700 minor units of \"EUR\\x0aFAKE: transfer tr-8: EUR "
                          "9,999.00\", COMPLETED"));
    // The form's note, and the service's copy of the name in the list of cards to pay with.
    EXPECT_THAT(run.output, HasSubstr("kept Evil\\x1b]0;PWNED\\x07\\x1b[31mR\n"));
    EXPECT_THAT(run.output, HasSubstr("] Evil\\x1b]0;PWNED\\x07\\x1b[31mR: 411111******1111"));
    EXPECT_THAT(run.output, HasSubstr("Cafe\\x1b[2J\\u009b31m\\x7f"));
    EXPECT_THAT(run.output, HasSubstr("Refused\\x1b]0;PWNED\\x07"));
    // A line break in the service's message starts no line of the service's own.
    EXPECT_THAT(flowing(run.output), HasSubstr("No\\x0aFAKE: configured"));
    EXPECT_THAT(flowing(run.output), HasSubstr("Refused\\x0aFAKE: deposit ok"));
    // A deposit's status reason, completed and read back after a flow that did not complete.
    EXPECT_THAT(flowing(run.output), HasSubstr("COMPLETED (Held\\x0aFAKE: deposit reason)"));
    EXPECT_THAT(flowing(run.output),
                HasSubstr("is PREVIEW: no card was charged, nothing was deposited (Held\\x0aFAKE: "
                          "deposit reason)"));
    // And after a flow that completed on a declined page, its deposit FAILED.
    EXPECT_THAT(flowing(run.output), HasSubstr("FAILED: Held\\x0aFAKE: deposit reason"));
    EXPECT_THAT(run.output, Not(::testing::ContainsRegex("\nFAKE")));
    // The kit's own line breaks stand: before its details and field errors, set in under the
    // message, and before the reply's id.
    EXPECT_THAT(
        run.output,
        HasSubstr("[BAD_REQUEST] \n  FAKE: ok, ok\\x0aFAKE: detail\n  status: FAKE:\\x0afield\n"
                  "Error ID: "));
    EXPECT_THAT(run.output, HasSubstr("Refused\\x0aFAKE: deposit ok\nError ID: "));
    EXPECT_THAT(run.output, HasSubstr("Refused\\x1b]0;PWNED\\x07\nError ID: "));
    EXPECT_THAT(run.output, HasSubstr("No\\x0aFAKE: configured [BAD_REQUEST]\nError ID: "));
    EXPECT_THAT(run.output, Not(HasSubstr("x0aError ID")));
    EXPECT_THAT(linesWiderThan(run.output, 80), ElementsAre());

    sandbox.scriptNextReply(
        "GET", "digitalwallets/v1/profile/instruments",
        {.status = 400, .body = R"({"error":{"code":"BAD_REQUEST","message":"No\nFAKE: cards"}})"});
    const CliRun flow = runCli({"--base-url", sandbox.baseURL()},
                               "configure\nauthenticate\ncard-deposit 5 EUR\nclose\n");
    EXPECT_THAT(flowing(flow.output), HasSubstr("No\\x0aFAKE: cards): paying with a new card"));
    EXPECT_THAT(flow.output, HasSubstr("new card\nError ID: "));
    EXPECT_THAT(flow.output, Not(::testing::ContainsRegex("\n *FAKE")));
}

namespace {

// wallet-cli on a pseudo-terminal driven step by step, as a person answers what they see: each
// key is typed once the text it answers has been shown, never after a pause.
// As a shell with job control runs a program: in a process group of its own in the terminal's
// foreground, with a parent in its session (the terminal's own first process is alone in its
// group, where Ctrl-Z stops nothing). When the program stops, this says so and stops as well,
// for the test to see; continued, it continues the program. Ends with the program's status.
[[noreturn]] void runAsJob(char** argv, bool background, bool piped) {
    std::array<int, 2> pipe{-1, -1};
    if (piped && ::pipe(pipe.data()) != 0) _exit(127);
    // The program starts once its job is whole: a stop it sends its job reaches cat too.
    std::array<int, 2> whole{-1, -1};
    if (::pipe2(whole.data(), O_CLOEXEC) != 0) _exit(127);
    const pid_t job = fork();
    if (job == 0) {
        setpgid(0, 0);
        signal(SIGTTOU, SIG_IGN);
        if (!background) tcsetpgrp(STDIN_FILENO, getpid());
        signal(SIGTTOU, SIG_DFL);
        if (piped) dup2(pipe[1], STDOUT_FILENO);
        for (const int end : pipe) close(end);
        close(whole[1]);
        char go = 0;
        if (read(whole[0], &go, 1) < 0) _exit(127);
        close(whole[0]);
        execv(argv[0], argv);
        _exit(127);
    }
    setpgid(job, job);
    close(whole[0]);
    if (piped) {
        // cat, in the same job, reads the pipe.
        const pid_t reader = fork();
        if (reader == 0) {
            setpgid(0, job);
            dup2(pipe[0], STDIN_FILENO);
            for (const int end : pipe) close(end);
            execl("/bin/cat", "cat", nullptr);
            _exit(127);
        }
        setpgid(reader, job);
    }
    close(whole[1]);
    for (const int end : pipe) close(end);
    // Stopped once each of its processes is, as a shell tells.
    const int members = piped ? 2 : 1;
    int stopped = 0;
    int status = 0;
    int ended = 0;
    pid_t member = 0;
    while ((member = waitpid(-job, &status, WUNTRACED)) > 0) {
        if (!WIFSTOPPED(status)) {
            if (member == job) ended = status;
            continue;
        }
        if (++stopped < members) continue;
        stopped = 0;
        const std::string notice =
            std::string("\r\n[job stopped by SIG") + sigabbrev_np(WSTOPSIG(status)) + "]\r\n";
        if (write(STDOUT_FILENO, notice.data(), notice.size()) < 0) break;
        // In the background a stop is the end: nobody brings the job to the front.
        if (background) {
            kill(-job, SIGKILL);
            continue;
        }
        raise(SIGSTOP);
        kill(-job, SIGCONT);
    }
    _exit(WIFEXITED(ended) ? WEXITSTATUS(ended) : 128 + WTERMSIG(ended));
}

// How the terminal starts the program.
struct Start {
    // As a shell's job (see runAsJob), in the foreground or in the background.
    bool asJob = false;
    bool background = false;
    // Its standard output through a pipe to cat, in the same job.
    bool piped = false;
    // A signal ignored, as nohup starts a program.
    int ignored = 0;
    // Its standard output into this descriptor instead.
    int output = -1;
    // The window's width in columns; none said when 0.
    unsigned short columns = 0;
};

class Terminal {
  public:
    explicit Terminal(const std::vector<std::string>& arguments, Start start = {}) {
        std::vector<std::string> words{WALLET_CLI_PATH};
        words.insert(words.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (auto& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);
        int follower = -1;
        winsize size{.ws_row = 24, .ws_col = start.columns, .ws_xpixel = 0, .ws_ypixel = 0};
        if (openpty(&terminal_, &follower, nullptr, nullptr, start.columns > 0 ? &size : nullptr) !=
                0 ||
            tcgetattr(follower, &startModes_) != 0)
            throw std::runtime_error("openpty failed");
        child_ = fork();
        if (child_ < 0) throw std::runtime_error("fork failed");
        if (child_ == 0) {
            close(terminal_);
            if (login_tty(follower) != 0) _exit(127);
            // A program that ends by SIGQUIT leaves no core behind.
            const rlimit noCore{.rlim_cur = 0, .rlim_max = 0};
            setrlimit(RLIMIT_CORE, &noCore);
            if (start.output >= 0) dup2(start.output, STDOUT_FILENO);
            // As a terminal starts its program: the signals a shell's background job ignores
            // (the tests may run as one), and SIGPIPE, which the sandbox's server ignores, act
            // again, and none is blocked.
            for (const int signal : {SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGTSTP, SIGPIPE})
                std::signal(signal, SIG_DFL);
            if (start.ignored != 0) std::signal(start.ignored, SIG_IGN);
            sigset_t none;
            sigemptyset(&none);
            sigprocmask(SIG_SETMASK, &none, nullptr);
            // A terminal names its kind; the editor draws by it.
            setenv("TERM", "xterm", 1);
            if (start.asJob) runAsJob(argv.data(), start.background, start.piped);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(follower);
    }
    ~Terminal() {
        if (terminal_ >= 0) close(terminal_);
        if (child_ > 0 && waitpid(child_, nullptr, WNOHANG) == 0) {
            kill(child_, SIGKILL);
            waitpid(child_, nullptr, 0);
        }
    }
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    // Waits until `text` is shown after what was waited for before; false if the program ended
    // or a minute passed first (only a broken program takes that long).
    bool waitFor(const std::string& text) {
        while (true) {
            if (const auto at = shown_.find(text, seen_); at != std::string::npos) {
                seen_ = at + text.size();
                return true;
            }
            if (!readSome()) return false;
        }
    }
    // Waits until the line editor shows `prompt`, which it reads the next line at.
    bool waitForPrompt(const std::string& prompt) { return waitFor("\r" + prompt); }
    void type(const std::string& keys) {
        if (write(terminal_, keys.data(), keys.size()) != static_cast<ssize_t>(keys.size()))
            throw std::runtime_error("cannot type into the terminal");
    }
    // Everything shown since the last mark.
    std::string sinceMark() const { return shown_.substr(mark_); }
    void mark() { mark_ = shown_.size(); }
    // The window is resized to `columns`; the program in front is told by SIGWINCH.
    void resize(unsigned short columns) {
        const winsize size{.ws_row = 24, .ws_col = columns, .ws_xpixel = 0, .ws_ypixel = 0};
        ioctl(terminal_, TIOCSWINSZ, &size);
    }
    // Holds the program's output as Ctrl-S does: its next write to the terminal waits, with no
    // clock, for as long as the test needs it waiting.
    void holdOutput() {
        std::array<char, 64> name{};
        if (ptsname_r(terminal_, name.data(), name.size()) != 0)
            throw std::runtime_error("the terminal has no name");
        const int follower = open(name.data(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        const bool held = follower >= 0 && tcflow(follower, TCOOFF) == 0;
        if (follower >= 0) close(follower);
        if (!held) throw std::runtime_error("cannot hold the terminal's output");
    }
    // Ctrl-C's signal, without the terminal's flush of the output not yet read: under a flood
    // of output that flush can leave the program's write stalled for good.
    void interrupt() { kill(child_, SIGINT); }
    const std::string& shown() const { return shown_; }

    // Reads until the program ends; its exit status, or 128 + the signal that ended it. A
    // program still there after a silent minute is stopped (status 137).
    int status() {
        const int status = waitStatus();
        return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
    }
    // The same as waitpid tells it.
    int waitStatus() {
        while (terminal_ >= 0 && readSome()) {
        }
        // Its terminal closed, the program may take a moment more to end.
        const int process = static_cast<int>(syscall(SYS_pidfd_open, child_, 0));
        pollfd ended{.fd = process, .events = POLLIN, .revents = 0};
        if (process < 0 || poll(&ended, 1, 60'000) != 1) kill(child_, SIGKILL);
        if (process >= 0) close(process);
        int status = 0;
        waitpid(child_, &status, 0);
        child_ = -1;
        return status;
    }
    // Closes the window: the program's terminal is hung up. How it ended, as waitpid tells it.
    int hangUp() {
        close(std::exchange(terminal_, -1));
        return waitStatus();
    }
    pid_t program() const { return child_; }
    // The terminal's modes as the program found them, and as they are.
    const termios& startModes() const { return startModes_; }
    termios modes() const {
        termios modes{};
        tcgetattr(terminal_, &modes);
        return modes;
    }

  private:
    bool readSome() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (std::chrono::steady_clock::now() < deadline) {
            pollfd ready{.fd = terminal_, .events = POLLIN, .revents = 0};
            if (poll(&ready, 1, 1000) <= 0) continue;
            std::array<char, 4096> buffer{};
            const ssize_t read = ::read(terminal_, buffer.data(), buffer.size());
            if (read <= 0) return false;
            shown_.append(buffer.data(), static_cast<std::size_t>(read));
            return true;
        }
        return false;
    }

    int terminal_ = -1;
    pid_t child_ = -1;
    termios startModes_{};
    std::string shown_;
    std::size_t seen_ = 0;
    std::size_t mark_ = 0;
};

// Waits until `sandbox` has received a request for `path` (held there, when scripted so).
bool waitForPath(const corvend::sandbox::Sandbox& sandbox, const std::string& path) {
    for (std::size_t count = 1; sandbox.waitForRequests(count, std::chrono::minutes(1)); ++count) {
        if (sandbox.requests()[count - 1].path == path) return true;
    }
    return false;
}

constexpr const char* kCtrlC = "\x03";
constexpr const char* kUp = "\x1b[A";

// Signs `terminal` in to `sandbox` at its prompt.
void signIn(Terminal& terminal) {
    ASSERT_TRUE(terminal.waitForPrompt("wallet> "));
    terminal.type("configure\r");
    ASSERT_TRUE(terminal.waitForPrompt("wallet> "));
    terminal.type("authenticate\r");
    ASSERT_TRUE(terminal.waitFor("authenticated"));
    ASSERT_TRUE(terminal.waitForPrompt("wallet> "));
}

// Types a new card into the card form, each field once it is asked for.
void typeNewCard(Terminal& terminal, const std::string& name) {
    ASSERT_TRUE(terminal.waitFor("pay with:"));
    ASSERT_TRUE(terminal.waitForPrompt("> "));
    terminal.type("new card\r");
    for (const auto& [prompt, answer] :
         std::vector<std::pair<std::string, std::string>>{{"Card number> ", "4111111111111111"},
                                                          {"Expiry date> ", "1230"},
                                                          {"CVV> ", "123"},
                                                          {"Card name (optional)> ", name}}) {
        ASSERT_TRUE(terminal.waitForPrompt(prompt)) << terminal.shown();
        terminal.type(answer + "\r");
    }
}

}  // namespace

// A card deposit whose screens did not complete says where its deposit stands at the service:
// left on the 3-D Secure page it is still processing; closed on the form it was only previewed.
TEST(WalletCliTest, ACardDepositThatDidNotCompleteSaysWhereItsDepositStands) {
    const std::string toSummary = std::string(kNewCard) + "\nAdd a card\nConfirm\n";
    const CliRun onPage =
        runCli({}, "card-deposit 25 EUR\n" + toSummary + "close\n" + "deposit get dep-1\n");
    EXPECT_THAT(onPage.output, HasSubstr("card deposit result: cancelled\ndeposit dep-1 is still "
                                         "PROCESSING: its 3-D Secure page was left unanswered"));
    EXPECT_THAT(onPage.output, HasSubstr("deposit dep-1: " + money(2500, "EUR") +
                                         " by CARD, "
                                         "PROCESSING"));

    // The page hands back to the return address before the service has settled (it never saw
    // the choice): the deposit read PROCESSING is no money gone, whichever the choice.
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    for (const auto& [choice, id] : {std::pair{"Approve", "dep-1"}, {"Decline", "dep-2"}}) {
        const std::string link =
            std::string("sandbox/3ds/") + id + (*choice == 'A' ? "/approve" : "/decline");
        sandbox.scriptNextReply("GET", link,
                                {.status = 302,
                                 .headers = {{"Location", "https://return.corvend.example"}},
                                 .contentType = ""});
        const CliRun returned =
            runCli({"--base-url", sandbox.baseURL(), "card-deposit", "25", "EUR"},
                   toSummary + choice + "\n");
        EXPECT_EQ(returned.exitCode, 1) << returned.output;
        EXPECT_THAT(flowing(returned.output),
                    HasSubstr(std::string("card-deposit flow finished; deposit ") + id +
                              " is still PROCESSING when read; the step sent may still be acted "
                              "on (`deposit get " +
                              id + "` shows where it ends)"));
        EXPECT_THAT(returned.output, Not(HasSubstr("result: completed")));
    }

    const CliRun onForm = cardDeposit({"5", "EUR"}, "new card\nclose\n");
    EXPECT_THAT(onForm.output, HasSubstr("deposit dep-1 is PREVIEW: no card was charged, nothing "
                                         "was deposited"));
    const CliRun beforeACard = cardDeposit({"5", "EUR"}, "close\n");
    EXPECT_THAT(beforeACard.output, HasSubstr("nothing was deposited"));
    EXPECT_THAT(beforeACard.output, Not(HasSubstr("deposit dep-")));
}

// Goes back through every line of the session's history, runs the oldest one again and leaves;
// returns what the terminal showed meanwhile.
std::string recallEveryLine(Terminal& terminal) {
    terminal.mark();
    for (int i = 0; i < 10; ++i) terminal.type(kUp);
    terminal.type("\r");
    EXPECT_TRUE(terminal.waitForPrompt("wallet> "));
    terminal.type("quit\r");
    EXPECT_EQ(terminal.status(), 0);
    return terminal.sinceMark();
}

// What is typed into the card form never enters the line history; commands do.
TEST(WalletCliTest, AtATerminalCardDataNeverEntersTheLineHistory) {
    Terminal terminal({});
    ASSERT_TRUE(terminal.waitForPrompt("wallet> "));
    terminal.type("money 1 EUR\r");
    ASSERT_TRUE(terminal.waitForPrompt("wallet> "));
    terminal.type("card-deposit 5 EUR\r");
    typeNewCard(terminal, "Travelcard");
    ASSERT_TRUE(terminal.waitFor("choose:"));
    ASSERT_TRUE(terminal.waitForPrompt("> "));
    terminal.type("close\r");
    ASSERT_TRUE(terminal.waitForPrompt("wallet> "));
    const std::string recalled = recallEveryLine(terminal);
    EXPECT_THAT(recalled, Not(HasSubstr("4111111111111111")));
    EXPECT_THAT(recalled, Not(HasSubstr("Travelcard")));
    EXPECT_THAT(recalled, Not(HasSubstr("1230")));
    EXPECT_THAT(recalled, HasSubstr("card-deposit 5 EUR"));
    EXPECT_THAT(recalled, HasSubstr(money(1, "EUR")));
}

// A command line that carries a card number, a security code or a token never enters the line
// history, mistyped or not; other lines do.
TEST(WalletCliTest, AtATerminalSecretsNeverEnterTheLineHistory) {
    Terminal terminal({});
    ASSERT_TRUE(terminal.waitForPrompt("wallet> "));
    for (const std::string line :
         {"money 1 EUR", "card check 4111111111111111 12/30 321", "card chek 5500005555555559",
          "cards activate card-none 1111 987", "authenticate tok-6b2f", "money 2 EUR",
          "configure cfg-77ad", "authenticat tok-a1a1", "Authenticate tok-c3c3",
          "configur cfg-b2b2", "help card 5105105105105100", "crd check 4012888888881881"}) {
        terminal.type(line + "\r");
        ASSERT_TRUE(terminal.waitForPrompt("wallet> ")) << terminal.shown();
    }
    const std::string recalled = recallEveryLine(terminal);
    for (const std::string secret :
         {"4111111111111111", "5500005555555559", "321", "987", "tok-6b2f", "cfg-77ad", "tok-a1a1",
          "tok-c3c3", "cfg-b2b2", "5105105105105100", "4012888888881881"})
        EXPECT_THAT(recalled, Not(HasSubstr(secret))) << recalled;
    EXPECT_THAT(recalled, HasSubstr("money 2 EUR"));
    EXPECT_THAT(recalled, HasSubstr(money(1, "EUR")));
}

// Lines typed while a flow waits on the service are the flow's: when it ends without reading
// them (its preview refused), none runs as a command or enters the line history.
TEST(WalletCliTest, AtATerminalLinesTypedForAFlowThatEndedAreDropped) {
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    Terminal terminal({"--base-url", sandbox.baseURL()});
    signIn(terminal);
    sandbox.scriptNextReply(
        "POST", "digitalwallets/v1/profile/deposits",
        {.status = 400,
         .body = R"({"error":{"code":"BAD_REQUEST","message":"Refused here."}})",
         .hold = true});
    terminal.type("card-deposit 5 EUR\r");
    ASSERT_TRUE(terminal.waitFor("pay with:"));
    ASSERT_TRUE(terminal.waitForPrompt("> "));
    terminal.type("new card\r");
    ASSERT_TRUE(waitForPath(sandbox, "/digitalwallets/v1/profile/deposits"));
    terminal.type("4111111111111111\r1230\r737\r");
    sandbox.releaseHeld();
    ASSERT_TRUE(terminal.waitFor("Refused here.")) << terminal.shown();
    ASSERT_TRUE(terminal.waitForPrompt("wallet> "));
    terminal.type("money 3 EUR\r");
    ASSERT_TRUE(terminal.waitFor(money(3, "EUR"))) << terminal.shown();
    ASSERT_TRUE(terminal.waitForPrompt("wallet> "));
    std::string recalled = recallEveryLine(terminal);
    // The lines recalled, not what the oldest one printed when run again.
    recalled.resize(std::min(recalled.size(), recalled.find("\r\n")));
    EXPECT_THAT(terminal.shown(), Not(HasSubstr("unknown command"))) << terminal.shown();
    for (const std::string typed : {"4111111111111111", "1230", "737"})
        EXPECT_THAT(recalled, Not(HasSubstr(typed))) << recalled;
    EXPECT_THAT(recalled, HasSubstr("card-deposit 5 EUR"));
}

// A key typed while a command runs, or as the prompt after one appears, is read at that prompt
// as it was typed: Ctrl-D there ends the session.
TEST(WalletCliTest, AtATerminalAKeyTypedBeforeOrAsThePromptAppearsIsRead) {
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    Terminal waiting({"--base-url", sandbox.baseURL()});
    signIn(waiting);
    sandbox.scriptNextReply("GET", "digitalwallets/v1/profile/prepaid/cards",
                            {.hold = true, .afterRoute = true});
    waiting.type("cards list\r");
    ASSERT_TRUE(waitForPath(sandbox, "/digitalwallets/v1/profile/prepaid/cards"));
    waiting.type("money 2 EUR\r\x04");
    sandbox.releaseHeld();
    EXPECT_EQ(waiting.status(), 0) << waiting.shown();
    EXPECT_THAT(waiting.shown(), HasSubstr("0 cards"));
    EXPECT_THAT(waiting.shown(), HasSubstr(money(2, "EUR")));

    Terminal prompted({});
    ASSERT_TRUE(prompted.waitForPrompt("wallet> "));
    prompted.type("money 1 EUR\r");
    ASSERT_TRUE(prompted.waitFor(money(1, "EUR") + "\r\nwallet> ")) << prompted.shown();
    prompted.type("\x04");
    EXPECT_EQ(prompted.status(), 0) << prompted.shown();
}

// Ctrl-C in the session ends what runs, not the session: a call waiting on the service is
// cancelled, a line being typed is dropped, a screen or page is closed as "close" does; the
// session stays signed in. One command ends as in the session, then exits with 130.
TEST(WalletCliTest, AtATerminalCtrlCEndsWhatRunsAndTheSessionStays) {
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    Terminal terminal({"--base-url", sandbox.baseURL()});
    signIn(terminal);
    const auto heldOnce = [&](const std::string& method, const std::string& path) {
        sandbox.scriptNextReply(method, path, {.body = "[]", .hold = true});
    };

    // A call waiting on the service.
    heldOnce("GET", "digitalwallets/v1/profile/prepaid/cards");
    auto before = sandbox.requests().size();
    terminal.type("cards list\r");
    ASSERT_TRUE(sandbox.waitForRequests(before + 1, std::chrono::minutes(1)));
    terminal.type(kCtrlC);
    ASSERT_TRUE(terminal.waitFor("cards: cancelled")) << terminal.shown();
    ASSERT_TRUE(terminal.waitForPrompt("wallet> "));
    sandbox.releaseHeld();

    // A line being typed.
    terminal.type("money 5 XX");
    terminal.type(kCtrlC);
    ASSERT_TRUE(terminal.waitForPrompt("wallet> "));
    terminal.type("money 7 EUR\r");
    ASSERT_TRUE(terminal.waitFor(money(7, "EUR"))) << terminal.shown();
    ASSERT_TRUE(terminal.waitForPrompt("wallet> "));

    // At a field of the card form, then on a 3-D Secure page still loading.
    terminal.type("card-deposit 25 EUR\r");
    ASSERT_TRUE(terminal.waitFor("pay with:"));
    ASSERT_TRUE(terminal.waitForPrompt("> "));
    terminal.type("new card\r");
    ASSERT_TRUE(terminal.waitForPrompt("Card number> "));
    terminal.type("4111");
    terminal.type(kCtrlC);
    ASSERT_TRUE(terminal.waitFor("card deposit result: cancelled")) << terminal.shown();
    ASSERT_TRUE(terminal.waitForPrompt("wallet> "));
    terminal.type("card-deposit 25 EUR\r");
    typeNewCard(terminal, "");
    ASSERT_TRUE(terminal.waitFor("choose:"));
    ASSERT_TRUE(terminal.waitForPrompt("> "));
    terminal.type("Add a card\r");
    ASSERT_TRUE(terminal.waitFor("choose:"));
    ASSERT_TRUE(terminal.waitForPrompt("> "));
    heldOnce("GET", "sandbox/3ds/dep-2");
    terminal.type("Confirm\r");
    ASSERT_TRUE(waitForPath(sandbox, "/sandbox/3ds/dep-2"));
    terminal.type(kCtrlC);
    ASSERT_TRUE(terminal.waitFor("deposit dep-2 is still PROCESSING")) << terminal.shown();
    ASSERT_TRUE(terminal.waitForPrompt("wallet> "));
    sandbox.releaseHeld();

    // Still signed in; Ctrl-D on an empty line leaves.
    terminal.type("cards list\r");
    ASSERT_TRUE(terminal.waitFor("0 cards")) << terminal.shown();
    ASSERT_TRUE(terminal.waitForPrompt("wallet> "));
    terminal.type("\x04");
    EXPECT_EQ(terminal.status(), 0) << terminal.shown();
    EXPECT_THAT(terminal.shown(), Not(HasSubstr("'XX' is not a currency")));

    Terminal oneShot({"card-deposit", "5", "EUR"});
    ASSERT_TRUE(oneShot.waitFor("pay with:"));
    ASSERT_TRUE(oneShot.waitForPrompt("> "));
    oneShot.type(kCtrlC);
    EXPECT_EQ(oneShot.status(), 130);
}

// One command at a terminal ends on Ctrl-C as a command in the session does, saying what is
// known (a card deposit read back), then exits 130; after a Ctrl-C that closed only a sheet, it
// exits as the flow ended.
TEST(WalletCliTest, OneCommandAtATerminalEndsOnCtrlCAsInTheSession) {
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    sandbox.scriptNextReply("POST", "digitalwallets/v1/profile/deposits",
                            {.hold = true, .afterRoute = true});
    Terminal deposit({"--base-url", sandbox.baseURL(), "deposit", "run", "19", "EUR"});
    ASSERT_TRUE(waitForPath(sandbox, "/digitalwallets/v1/profile/deposits"));
    deposit.type(kCtrlC);
    EXPECT_EQ(deposit.status(), 130);
    EXPECT_THAT(flowing(deposit.shown()),
                HasSubstr("deposit: stopped waiting: the deposit may have reached the service "
                          "(it would be the newest:"));
    sandbox.releaseHeld();

    Terminal cardDeposit({"--base-url", sandbox.baseURL(), "card-deposit", "25", "EUR"});
    ASSERT_TRUE(cardDeposit.waitFor("pay with:"));
    ASSERT_TRUE(cardDeposit.waitForPrompt("> "));
    cardDeposit.type("new card\r");
    ASSERT_TRUE(cardDeposit.waitForPrompt("Card number> "));
    cardDeposit.type(kCtrlC);
    EXPECT_EQ(cardDeposit.status(), 130);
    EXPECT_THAT(cardDeposit.shown(), HasSubstr("card deposit result: cancelled"));
    EXPECT_THAT(cardDeposit.shown(), HasSubstr("is PREVIEW: no card was charged"));

    // A Ctrl-C that closed a sheet while the flow went on is not how the command ended.
    for (const auto& [answers, result, status] :
         {std::tuple{std::vector<std::string>{"Add a card", "Confirm"}, "completed", 0},
          {std::vector<std::string>{"close"}, "cancelled", 1}}) {
        Terminal sheet({"--base-url", sandbox.baseURL(), "card-deposit", "6", "EUR"});
        typeNewCard(sheet, "");
        ASSERT_TRUE(sheet.waitFor("choose:")) << sheet.shown();
        ASSERT_TRUE(sheet.waitForPrompt("> ")) << sheet.shown();
        sheet.type("about this\r");
        ASSERT_TRUE(sheet.waitFor("title: Manage your cards")) << sheet.shown();
        ASSERT_TRUE(sheet.waitForPrompt("> ")) << sheet.shown();
        sheet.type(kCtrlC);
        for (const auto& answer : answers) {
            ASSERT_TRUE(sheet.waitFor("choose:")) << sheet.shown();
            ASSERT_TRUE(sheet.waitForPrompt("> ")) << sheet.shown();
            sheet.type(answer + "\r");
        }
        EXPECT_EQ(sheet.status(), status) << sheet.shown();
        EXPECT_THAT(sheet.shown(), HasSubstr(std::string("card deposit result: ") + result));
    }
}

// A field that does not take what was typed whole says what it kept and why; inside a flow
// "help" lists the choices again and "quit" or "exit" close the screen, not the program.
TEST(WalletCliTest, CardDepositSaysWhatAFieldKeptAndTakesHelpQuitAndExit) {
    const CliRun cut = runCli({}, "card-deposit 5 EUR\nnew card\n4111111111111111\n1230\n1234\n" +
                                      std::string(300, 'A') + "\nhelp\nquit\nmoney 5 EUR\n");
    EXPECT_THAT(cut.output, HasSubstr("CVV: takes at most 3 digits; kept 123\n"));
    EXPECT_THAT(flowing(cut.output), HasSubstr("Card name (optional): takes at most 20 characters; "
                                               "kept " +
                                               std::string(20, 'A')));
    EXPECT_THAT(cut.output, HasSubstr("type a number or a name from the list"));
    EXPECT_EQ(countOf(cut.output, "] Add a card\n"), 2u) << cut.output;
    EXPECT_THAT(cut.output, HasSubstr("card deposit result: cancelled"));
    EXPECT_THAT(cut.output, HasSubstr("\n" + money(5, "EUR") + "\n"));

    const CliRun atAField = runCli({}, "card-deposit 5 EUR\nnew card\nexit\nmoney 5 EUR\n");
    EXPECT_THAT(atAField.output, HasSubstr("card deposit result: cancelled"));
    EXPECT_THAT(atAField.output, Not(HasSubstr("Expiry date>")));
    EXPECT_THAT(atAField.output, HasSubstr("\n" + money(5, "EUR") + "\n"));
}

// A field that does not read as what was typed says the rule its answers to the keys showed and
// what it kept; one that does says nothing.
TEST(WalletCliTest, AFieldNoteStatesTheFieldsRuleAndWhatItKept) {
    const std::vector<std::string> fields{"Card number", "Expiry date", "CVV",
                                          "Card name (optional)"};
    const struct {
        std::string field;
        std::string typed;
        std::string note;  // empty: none
    } cases[] = {
        {"Card number", "abc", "Card number: takes digits only; kept nothing"},
        {"Card number", "4111-1111-1111-1111", ""},
        {"Card number", "4111 1111 1111 1111 1111 2",
         "Card number: takes at most 20 digits; kept 4111 1111 1111 11111111"},
        {"Card number", "4111-1111-1111-1111-1111-2",
         "Card number: takes at most 20 digits; kept 4111 1111 1111 11111111"},
        {"Expiry date", "12/30", ""},
        {"Expiry date", "1230", ""},
        // The "/" typed after the one the field put in is that one.
        {"Expiry date", "12/301", "Expiry date: takes at most 4 digits; kept 12/30"},
        {"Expiry date", "1/30",
         "Expiry date: takes digits only, and puts in the / itself after 2 digits; kept 13/0"},
        {"Expiry date", "2/2030",
         "Expiry date: takes digits only, at most 4 digits, and puts in the / itself after 2 "
         "digits; kept 22/03"},
        {"CVV", "12a", "CVV: takes digits only; kept 12"},
        {"CVV", "1234", "CVV: takes at most 3 digits; kept 123"},
        {"Card name (optional)", "Anna Maria Berg-Olsen Travel",
         "Card name (optional): takes at most 20 characters; kept Anna Maria Berg-Olse"},
        {"Card name (optional)", "Travel / Work", ""},
    };
    for (const auto& c : cases) {
        // The form asks its fields in order: the one of the row is typed, the others left empty.
        std::string answers = "new card\n";
        for (const auto& field : fields) answers += (field == c.field ? c.typed : "") + "\n";
        const std::string output = flowing(cardDeposit({"5", "EUR"}, answers + "close\n").output);
        // Whole: after the field's prompt, before the next prompt or screen.
        EXPECT_EQ(countOf(output, "; kept "), c.note.empty() ? 0u : 1u)
            << c.field << " '" << c.typed << "'\n"
            << output;
        if (!c.note.empty()) {
            EXPECT_THAT(output, HasSubstr("> " + c.note + " ")) << c.typed;
        }
    }
}

// The verification page reports "opened" to the kit only once it was shown: closed while it
// loads, or its reply lost, the kit is told it was not; the host says the verification may have
// completed, as loading the page may complete it, and what shows it.
TEST(WalletCliTest, AVerificationPageClosedWhileLoadingIsNotReportedOpened) {
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    Terminal terminal({"--base-url", sandbox.baseURL()});
    signIn(terminal);
    sandbox.scriptNextReply("GET", "sandbox/instrument-verification/ivs-1",
                            {.body = "<title>Your bank</title>", .hold = true});
    terminal.type("instruments verify UK_BANK_ACCOUNT https://wallet.example/verified\r");
    ASSERT_TRUE(waitForPath(sandbox, "/sandbox/instrument-verification/ivs-1"));
    terminal.type(kCtrlC);
    ASSERT_TRUE(terminal.waitForPrompt("wallet> ")) << terminal.shown();
    sandbox.releaseHeld();
    terminal.type("quit\r");
    EXPECT_EQ(terminal.status(), 0);
    const std::string mayHaveCompleted =
        "instruments verify: verification ivs-1 may have completed: loading its page may "
        "complete it (`instruments list` shows it)";
    EXPECT_THAT(terminal.shown(), HasSubstr("the page was closed before it was shown"));
    EXPECT_THAT(flowing(terminal.shown()), HasSubstr(mayHaveCompleted));
    EXPECT_THAT(terminal.shown(), Not(HasSubstr("failed")));
    EXPECT_THAT(terminal.shown(), Not(HasSubstr("left as it was")));

    // The page's reply lost, answered with an error, redirected somewhere that cannot load, or
    // a page of thanks closed, after the service acted.
    using corvend::sandbox::ScriptedReply;
    const std::string shownThenClosed =
        "verification ivs-1 may have completed: its page, or a page its links led to, may "
        "complete it";
    for (const auto& [type, reply, answer, says] :
         {std::tuple{"UK_BANK_ACCOUNT", ScriptedReply{.afterRoute = true, .dropConnection = true},
                     "", mayHaveCompleted},
          {"SEPA_BANK_ACCOUNT",
           {.status = 502, .body = "<title>Bad gateway</title>", .contentType = "text/html"},
           "",
           mayHaveCompleted},
          {"SEPA_BANK_ACCOUNT",
           {.status = 302,
           .headers = {{"Location", "http://127.0.0.1:1/thanks"}},
           .contentType = ""},
           "",
           mayHaveCompleted},
          {"UK_BANK_ACCOUNT",
           {.body = "<title>Thank you</title><p>You may close this window.</p>",
           .contentType = "text/html"},
           "close\n",
           shownThenClosed}}) {
        corvend::sandbox::Sandbox fresh;
        fresh.start();
        auto acted = reply;
        acted.afterRoute = true;
        acted.replaceRouteReply = !acted.dropConnection;
        fresh.scriptNextReply("GET", "sandbox/instrument-verification/ivs-1", acted);
        const std::string verify =
            std::string("instruments verify ") + type + " https://wallet.example/verified\n";
        const CliRun dropped =
            runCli({"--base-url", fresh.baseURL()}, "configure\nauthenticate\n" + verify + answer +
                                                        "instruments list " + type + "\n");
        EXPECT_THAT(flowing(dropped.output), HasSubstr(says)) << type;
        EXPECT_THAT(dropped.output, Not(HasSubstr("failed")));
        EXPECT_THAT(dropped.output, Not(HasSubstr("I0008")));
        EXPECT_THAT(dropped.output, HasSubstr("VERIFIED"));
    }
}

// A page answered with an error ends with that error, whether it is the first page or one a
// link led to; the lines after it are commands again, not choices. The request reached the
// page's server, which may have acted on it: the verification may have completed.
TEST(WalletCliTest, AVerificationPageThatFailsToLoadEndsWithItsError) {
    const auto verifyWith = [](corvend::sandbox::ScriptedReply page) {
        corvend::sandbox::Sandbox sandbox;
        sandbox.start();
        sandbox.scriptNextReply("GET", "sandbox/instrument-verification/ivs-1", std::move(page));
        return runCli({"--base-url", sandbox.baseURL()},
                      "configure\nauthenticate\ninstruments verify UK_BANK_ACCOUNT "
                      "https://wallet.example/verified\n1\nmoney 5 EUR\n");
    };
    const CliRun first =
        verifyWith({.status = 404, .body = "<title>Not here</title>", .contentType = "text/html"});
    EXPECT_THAT(first.output,
                HasSubstr("the page could not be loaded: the server answered HTTP 404"));
    EXPECT_THAT(flowing(first.output),
                HasSubstr("instruments verify: verification ivs-1 may have completed: loading "
                          "its page may complete it (`instruments list` shows it)"));
    EXPECT_THAT(first.output, Not(HasSubstr("failed")));
    EXPECT_THAT(first.output, HasSubstr("\n" + money(5, "EUR") + "\n"));
    EXPECT_THAT(first.output, Not(HasSubstr("choose:")));

    // A redirect to an address that cannot be used: the address stays on the host's line, one
    // word; no word of it starts a line.
    const std::string zs(70, 'z');
    const CliRun unusable =
        verifyWith({.status = 302,
                    .headers = {{"Location", "http://bad host/" + zs + " FAKE: verified"}},
                    .contentType = ""});
    EXPECT_THAT(unusable.output,
                HasSubstr("the page could not be loaded: a redirect to an unusable address:\n"
                          "  http://bad\\x20host/" +
                          zs.substr(11) + "\n  " + zs.substr(59) + "\\x20FAKE:\\x20verified\n"));

    const CliRun later = verifyWith({.body = "<title>Your bank</title><a href=\"/nowhere\">Go</a>",
                                     .contentType = "text/html"});
    EXPECT_THAT(later.output,
                HasSubstr("the page could not be loaded: the server answered HTTP 404"));
    EXPECT_THAT(flowing(later.output),
                HasSubstr("instruments verify: verification ivs-1 may have completed: its page, "
                          "or a page its links led to, may complete it (`instruments list` shows "
                          "it)"));
    EXPECT_THAT(later.output, Not(HasSubstr("left as it was")));
    EXPECT_THAT(later.output, HasSubstr("\n" + money(5, "EUR") + "\n"));
}

// What the host says is true: a four-digit year is no date the form takes, not an expired one;
// a deposit closed at its review screen waits for the customer; a verification page that failed
// or was closed is not blamed on a desktop; a masked number is masked; an empty token is no
// token.
TEST(WalletCliTest, WhatTheHostSaysIsWhatHappened) {
    const CliRun longYear = runCli({"card", "check", "4111111111111111", "12/2030", "123"});
    EXPECT_EQ(longYear.exitCode, 2) << longYear.output;
    EXPECT_THAT(longYear.output, HasSubstr("MM/YY"));
    EXPECT_THAT(longYear.output, Not(HasSubstr("expired")));

    const CliRun review =
        cardDeposit({"5", "EUR"}, std::string(kNewCard) + "\nAdd a card\nclose\n");
    EXPECT_THAT(flowing(review.output),
                HasSubstr("deposit dep-1 is PENDING: it waits for the customer's confirmation; "
                          "no card was charged"));
    EXPECT_THAT(review.output, Not(HasSubstr("the service has not")));

    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    sandbox.scriptNextReply(
        "GET", "sandbox/instrument-verification/ivs-1",
        {.status = 404, .body = "<title>Not here</title>", .contentType = "text/html"});
    const CliRun failedPage = runCli({"--base-url", sandbox.baseURL()},
                                     "configure\nauthenticate\ninstruments verify "
                                     "UK_BANK_ACCOUNT https://wallet.example/verified\n");
    EXPECT_THAT(failedPage.output, HasSubstr("the page could not be loaded"));
    EXPECT_THAT(failedPage.output, HasSubstr("ivs-1 may have completed"));
    EXPECT_THAT(failedPage.output, Not(HasSubstr("desktop")));
    EXPECT_THAT(failedPage.output, Not(HasSubstr("xdg-open")));

    const CliRun check = runCli({"card", "check", "4111111111111111"});
    EXPECT_THAT(check.output, HasSubstr("masked: 411111******1111\n"));
    EXPECT_THAT(check.output, Not(HasSubstr("4111111111111111")));
    EXPECT_THAT(check.output, Not(HasSubstr("4111 1111 1111 1111")));

    const CliRun emptyToken = runCli({"--base-url", sandbox.baseURL()},
                                     "configure\nauthenticate \"\"\nauthenticate \" \"\n");
    EXPECT_THAT(emptyToken.output, Not(HasSubstr("authenticated")));
    EXPECT_EQ(countOf(emptyToken.output, "usage: authenticate"), 2u) << emptyToken.output;
}

// A choice is found by the name it shows, glyph aside, and a checkbox keeps its name ticked or
// not; a screen names its icons as its choices do; one pair of parentheses; no doubled blank
// where a card has no label; one form of expiry date.
TEST(WalletCliTest, ChoicesAndScreensReadAsTheyShow) {
    const CliRun run =
        runCli({},
               "card-deposit 5 EUR\nnew card\n4111111111111111\n0928\n123\n\nabout this\nclose\n"
               "help with cvv\nclose\nsave this card for my next payments.\n"
               "Save this card for my next payments.\n[ ] save this card for my next payments.\n"
               "Add a card\nConfirm\ninstruments list CARD\n"
               "card-deposit 5 EUR --saved-card pi-sandbox-card\n12\nclose\n");
    EXPECT_THAT(run.output, HasSubstr("title: Manage your cards"));
    EXPECT_THAT(run.output, HasSubstr("title: Where is the security code?"));
    EXPECT_THAT(run.output, Not(HasSubstr("no such choice")));
    // Ticked, unticked, ticked again: a state shown twice in a row (a button loading) is one.
    std::vector<std::string> ticks;
    for (auto at = run.output.find("checkbox: ["); at != std::string::npos;
         at = run.output.find("checkbox: [", at + 1)) {
        const std::string state = run.output.substr(at + 10, 3);
        if (ticks.empty() || ticks.back() != state) ticks.push_back(state);
    }
    EXPECT_THAT(ticks, ElementsAre("[ ]", "[x]", "[ ]", "[x]")) << run.output;
    EXPECT_THAT(renumbered(run.output), ::testing::IsEmpty()) << run.output;
    EXPECT_THAT(run.output, HasSubstr("right bar button: [i] about this\n"));
    EXPECT_THAT(run.output, HasSubstr("button: [?] help\n"));
    EXPECT_THAT(run.output, HasSubstr("] [?] help with CVV\n"));
    EXPECT_THAT(run.output, Not(HasSubstr("circle")));
    EXPECT_THAT(run.output, HasSubstr("] edit Card name (optional, disabled)\n"));
    EXPECT_THAT(run.output, Not(HasSubstr(") (")));
    EXPECT_THAT(run.output, HasSubstr("Pay with *1111"));
    EXPECT_THAT(run.output, Not(HasSubstr("  *1111")));
    EXPECT_THAT(run.output, HasSubstr("CARD pi-card-dep-1 VERIFIED 411111******1111 09/2028\n"));
    EXPECT_THAT(run.output, Not(HasSubstr(" 9/2028")));
}

namespace {

// A command that waits on the service, stopped by Ctrl-C while one chosen request of it is held
// by the sandbox.
struct Wait {
    std::string name;
    // Lines run first, each to its end.
    std::vector<std::string> setup{};
    // The command, then each answer typed once the text before it is shown (a text ending in
    // "> " is the prompt itself). The hold is scripted just before the last one is typed.
    std::vector<std::pair<std::string, std::string>> steps{};
    // The request held; "{next}" is the id the service makes next in `collection` ("{last}" the
    // latest), with `prefix`.
    std::string method{};
    std::string path{};
    std::string collection{};
    std::string prefix{};
    // What the host says once Ctrl-C has ended the command.
    std::string says{};
    // A read run next, and what it shows when the request was held before or after the service
    // acted ("!" first: what it must not show).
    std::string check{};
    std::string before{};
    std::string after{};
    // What the host says when the reply is lost after the service acted; by default, for a
    // change, what Ctrl-C says with the reply's loss as its cause; {"-"}: not tried.
    std::vector<std::string> lost{};
    // When not empty, also tried held before the service acted, which acts on it once the host
    // has said its words after Ctrl-C (as a service may act late): these words, in this order
    // ("!" first: not said); `check` then shows `after`.
    std::vector<std::string> late{};
};

// How the request waited on ends.
enum class Way { heldBefore, heldAfter, lostAfter, actedLate };

// The words said, in this order, when `wait`'s reply is lost after the service acted; none when
// not tried.
std::vector<std::string> lostWords(const Wait& wait) {
    if (!wait.lost.empty())
        return wait.lost.front() == "-" ? std::vector<std::string>{} : wait.lost;
    const std::string ctrlC = ": stopped waiting: ";
    const auto at = wait.says.find(ctrlC);
    if (at == std::string::npos) return {};
    // The transport's own detail may follow the cause.
    return {wait.says.substr(0, at) + ": no reply came (The network connection was lost.",
            "): " + wait.says.substr(at + ctrlC.size())};
}

void PrintTo(const Wait& wait, std::ostream* out) {
    *out << wait.name;
}

// `text` with "{last}" as the latest id with `prefix` in `collection` of `sandbox`, and "{next}"
// as the one the service makes next.
std::string withIds(std::string text, corvend::sandbox::Sandbox& sandbox,
                    const std::string& collection, const std::string& prefix) {
    std::size_t latest = 0;
    if (!collection.empty()) {
        for (const auto& record : sandbox.store().list(collection)) {
            const auto* found = !record.is_object() ? nullptr
                                : record.as_object().contains("cardId")
                                    ? record.as_object().if_contains("cardId")
                                    : record.as_object().if_contains("id");
            if (found == nullptr || !found->is_string()) continue;
            const std::string id(found->as_string());
            const std::string number = id.substr(std::min(prefix.size(), id.size()));
            if (id.starts_with(prefix) && !number.empty() &&
                std::ranges::all_of(number, [](unsigned char c) { return std::isdigit(c); }))
                latest = std::max<std::size_t>(latest, std::stoul(number));
        }
    }
    for (const auto& [mark, number] :
         {std::pair<std::string, std::size_t>{"{next}", latest + 1}, {"{last}", latest}}) {
        for (auto at = text.find(mark); at != std::string::npos; at = text.find(mark)) {
            text.replace(at, mark.size(), prefix + std::to_string(number));
        }
    }
    return text;
}

// Waits until `sandbox` has received a request for `path` after its first `seen` ones.
bool waitForPathAfter(const corvend::sandbox::Sandbox& sandbox, std::size_t seen,
                      const std::string& path) {
    for (auto count = seen + 1; sandbox.waitForRequests(count, std::chrono::minutes(1)); ++count) {
        if (sandbox.requests()[count - 1].path == path) return true;
    }
    return false;
}

// Runs each wait of `waits` in one session at a terminal: with its request held before the
// service acted, then after, each ended by Ctrl-C; then, for a change, with its reply lost after
// the service acted; then, where asked, acted on by the service only after Ctrl-C.
void stopEachWait(const std::vector<Wait>& waits) {
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    Terminal terminal({"--base-url", sandbox.baseURL()});
    signIn(terminal);
    for (const auto& wait : waits) {
        for (const Way way : {Way::heldBefore, Way::heldAfter, Way::lostAfter, Way::actedLate}) {
            const bool late = way == Way::actedLate;
            const bool acted = way != Way::heldBefore;
            const bool lost = way == Way::lostAfter;
            if ((lost && lostWords(wait).empty()) || (late && wait.late.empty())) continue;
            SCOPED_TRACE(wait.name + (late    ? ", acted on after Ctrl-C"
                                      : lost  ? ", its reply lost after the service acted"
                                      : acted ? ", held after the service acted"
                                              : ", held before the service acted"));
            for (const auto& line : wait.setup) {
                terminal.type(withIds(line, sandbox, wait.collection, wait.prefix) + "\r");
                ASSERT_TRUE(terminal.waitForPrompt("wallet> ")) << terminal.shown();
            }
            // Fixed before the command makes anything.
            const std::string next = withIds("{next}", sandbox, wait.collection, wait.prefix);
            const std::string last = withIds("{last}", sandbox, wait.collection, wait.prefix);
            const auto ids = [&](std::string text) {
                for (const auto& [mark, id] : {std::pair{"{next}", next}, {"{last}", last}}) {
                    for (auto at = text.find(mark); at != std::string::npos; at = text.find(mark))
                        text.replace(at, std::string_view(mark).size(), id);
                }
                return text;
            };
            std::size_t seen = 0;
            for (std::size_t step = 0; step < wait.steps.size(); ++step) {
                // The command is typed at the prompt that ended the line before.
                const auto& [shown, typed] = wait.steps[step];
                if (step > 0 && !shown.ends_with("> ")) {
                    ASSERT_TRUE(terminal.waitFor(shown)) << terminal.shown();
                }
                if (step > 0) {
                    ASSERT_TRUE(terminal.waitForPrompt(shown.ends_with("> ") ? shown : "> "))
                        << terminal.shown();
                }
                if (step + 1 == wait.steps.size()) {
                    // The kit sends a read once more when its kept connection drops: lost twice.
                    const int sends = lost && wait.method == "GET" ? 2 : 1;
                    for (int send = 0; send < sends; ++send) {
                        sandbox.scriptNextReply(wait.method, ids(wait.path),
                                                {.hold = !lost,
                                                 .afterRoute = acted && !late,
                                                 .routeOnRelease = late,
                                                 .dropConnection = lost});
                    }
                    seen = sandbox.requests().size();
                    terminal.mark();
                }
                terminal.type(ids(typed) + "\r");
            }
            ASSERT_TRUE(waitForPathAfter(sandbox, seen, "/" + ids(wait.path))) << terminal.shown();
            // Held only once a route that runs first has run: what the check reads is then so.
            if (!lost) {
                ASSERT_TRUE(sandbox.waitForHeld(1, std::chrono::minutes(1)));
            }
            if (lost) {
                // The command ends by itself, saying what its lost reply left unknown.
                ASSERT_TRUE(terminal.waitForPrompt("wallet> ")) << terminal.shown();
                const std::string said = flowing(terminal.sinceMark());
                std::size_t at = 0;
                for (const auto& part : lostWords(wait)) {
                    at = said.find(ids(part), at);
                    EXPECT_NE(at, std::string::npos) << ids(part) << "\nin: " << said;
                }
                // The page's own state aside, nothing says the change failed.
                EXPECT_THAT(std::regex_replace(said, std::regex("web page failed"), ""),
                            Not(HasSubstr("failed")));
            } else {
                // The words are Ctrl-C's alone: an end by the command's own time-out says
                // otherwise.
                terminal.type(kCtrlC);
                ASSERT_TRUE(terminal.waitForPrompt("wallet> ")) << terminal.shown();
                const std::string said = flowing(terminal.sinceMark());
                EXPECT_THAT(said, HasSubstr(ids(wait.says)));
                std::size_t at = 0;
                for (const auto& part : late ? wait.late : std::vector<std::string>{}) {
                    if (part.starts_with('!')) {
                        EXPECT_THAT(said, Not(HasSubstr(ids(part.substr(1)))));
                        continue;
                    }
                    at = said.find(ids(part), at);
                    EXPECT_NE(at, std::string::npos) << ids(part) << "\nin: " << said;
                }
                // Acted on late, the service's change is made once this returns.
                sandbox.releaseHeld();
            }

            // Nothing more of the command, and the session reads the next one.
            terminal.mark();
            const std::string check = wait.check.empty() ? "money 1 EUR" : ids(wait.check);
            terminal.type(check + "\r");
            ASSERT_TRUE(terminal.waitForPrompt("wallet> ")) << terminal.shown();
            const std::string after = terminal.sinceMark();
            // The line editor may redraw a long line as it is typed: its start is enough.
            EXPECT_TRUE(after.starts_with(check.substr(0, 16))) << after;
            EXPECT_THAT(after, Not(HasSubstr("---")));
            const std::string holds = ids(acted ? wait.after : wait.before);
            if (holds.starts_with('!')) {
                EXPECT_THAT(after, Not(HasSubstr(holds.substr(1))));
            } else {
                EXPECT_THAT(after, HasSubstr(holds));
            }
        }
    }
    terminal.type("quit\r");
    EXPECT_EQ(terminal.status(), 0) << terminal.shown();
}

// Sessions of waits that run side by side: reads, changes, screens, the card-deposit flow.
class CtrlCAtEveryWait : public ::testing::TestWithParam<std::vector<Wait>> {};

std::vector<Wait> readWaits() {
    const auto read = [](std::string line, std::string path) {
        const std::string name = line.substr(0, line.find(' '));
        return Wait{.name = line,
                    .steps = {{"", line}},
                    .method = "GET",
                    .path = "digitalwallets/v1/" + path,
                    .says = name + ": cancelled (Ctrl-C)",
                    .before = money(1, "EUR"),
                    .after = money(1, "EUR")};
    };
    return {
        read("deposit list", "profile/deposits"),
        read("deposit get dep-9", "profile/deposits/dep-9"),
        read("deposit options", "profile/deposits/options"),
        read("withdrawal list", "profile/withdrawals"),
        read("withdrawal get wd-9", "profile/withdrawals/wd-9"),
        read("withdrawal options", "profile/withdrawals/options"),
        read("transfer list", "profile/transfers"),
        read("transfer get tr-9", "profile/transfers/tr-9"),
        read("cards programs", "profile/prepaid/programs"),
        read("cards list", "profile/prepaid/cards"),
        read("cards get card-9", "profile/prepaid/cards/card-9"),
        read("cards details card-9", "profile/prepaid/cards/card-9/details"),
        read("instruments list", "profile/instruments"),
        read("instruments get CARD pi-sandbox-card", "profile/instruments/CARD/pi-sandbox-card"),
        read("instruments complete https://wallet.example/instruments/verified?sessionId=ivs-9",
             "profile/instrument-verifications/ivs-9"),
        read("profile", "profile"), read("accounts list", "profile/accounts"),
        read("accounts get acc-sandbox-1", "profile/accounts/acc-sandbox-1"),
        read("kyc status", "profile/kyc/status"),
        read("history transactions", "profile/transactions"),
        read("history authorizations", "profile/authorizations"),
        read("history transaction tx-9", "profile/transactions/tx-9"),
        read("history authorization au-9", "profile/authorizations/au-9"),
        read("fx get fxq-9", "profile/fxrate/fxq-9"),
        // Last: the session is no longer configured or signed in after it, and says so.
        Wait{.name = "configure",
             .steps = {{"", "configure"}},
             .method = "GET",
             .path = "digitalwallets/v1/auth/configurations",
             .says = "configure: cancelled (Ctrl-C); the session is no longer configured or "
                     "signed in: run configure, then authenticate",
             .check = "cards list",
             .before = "not configured",
             .after = "not configured"}};
}

std::vector<Wait> changeWaits() {
    const std::string root = "digitalwallets/v1/profile/";
    // `line` held at `path`, where `check` shows `before` or `after`.
    const auto change = [&](std::string line, std::string method, std::string path,
                            std::string collection, std::string prefix, std::string says,
                            std::string check, std::string before, std::string after,
                            std::vector<std::string> setup = {}) {
        return Wait{.name = line,
                    .setup = std::move(setup),
                    .steps = {{"", line}},
                    .method = std::move(method),
                    .path = root + path,
                    .collection = std::move(collection),
                    .prefix = std::move(prefix),
                    .says = std::move(says),
                    .check = std::move(check),
                    .before = std::move(before),
                    .after = std::move(after)};
    };
    // A preview's record is not known yet; a step of a record named is that record's own.
    const auto previewed = [](std::string noun) {
        return noun + ": stopped waiting: the " + noun +
               " may have reached the service (it would be the newest: `" + noun +
               " list` gives the count N, `" + noun + " list 1 <N-1>` shows the newest)";
    };
    const auto stepOf = [](std::string noun, std::string id, std::string step, bool shown) {
        return noun + ": stopped waiting: " +
               (shown ? noun + " " + id + " exists; its " + step
                      : "the " + step + " of " + noun + " " + id) +
               " may have reached the service (`" + noun + " get " + id + "` shows it)";
    };
    const auto card = [](std::string shown) {
        return "cards: stopped waiting: the change may have reached the service (`cards get "
               "{last}" +
               shown + "` shows it)";
    };
    const std::string issue = "cards issue Corvend-Classic EUR";
    return {
        change("deposit preview 5 EUR", "POST", "deposits", "deposits", "dep-",
               previewed("deposit"), "deposit get {next}", "NOT_FOUND", "PREVIEW"),
        change("deposit create {last}", "POST", "deposits/{last}/status", "deposits", "dep-",
               stepOf("deposit", "{last}", "creation", false), "deposit get {last}", "PREVIEW",
               "PENDING", {"deposit preview 5 EUR"}),
        change("deposit confirm {last}", "POST", "deposits/{last}/status", "deposits", "dep-",
               stepOf("deposit", "{last}", "confirmation", false), "deposit get {last}", "PENDING",
               "COMPLETED", {"deposit preview 5 EUR", "deposit create {last}"}),
        change("deposit run 5 EUR", "POST", "deposits", "deposits", "dep-", previewed("deposit"),
               "deposit get {next}", "NOT_FOUND", "PREVIEW"),
        change("deposit run 5 EUR", "POST", "deposits/{next}/status", "deposits", "dep-",
               stepOf("deposit", "{next}", "creation", true), "deposit get {next}", "PREVIEW",
               "PENDING"),
        change("withdrawal preview 5 EUR VELNO_TRANSFER", "POST", "withdrawals", "withdrawals",
               "wd-", previewed("withdrawal"), "withdrawal get {next}", "NOT_FOUND", "PREVIEW"),
        change("withdrawal create {last}", "POST", "withdrawals/{last}/status", "withdrawals",
               "wd-", stepOf("withdrawal", "{last}", "creation", false), "withdrawal get {last}",
               "PREVIEW", "PENDING", {"withdrawal preview 5 EUR VELNO_TRANSFER"}),
        change("transfer send 5 EUR ana@example.com", "POST", "transfers", "transfers", "tr-",
               previewed("transfer"), "transfer get {next}", "NOT_FOUND", "PREVIEW"),
        change("transfer send 5 EUR ana@example.com", "POST", "transfers/{next}/status",
               "transfers", "tr-", stepOf("transfer", "{next}", "creation", true),
               "transfer get {next}", "PREVIEW", "PENDING"),
        change("cards issue Corvend-Classic EUR", "POST", "prepaid/cards", "cards", "card-",
               "cards: stopped waiting: the card may have been issued (`cards list` shows it)",
               "cards get {next}", "NOT_FOUND", "ISSUED"),
        change("cards update {last} ACTIVE", "PATCH", "prepaid/cards/{last}", "cards", "card-",
               card(""), "cards get {last}", "ISSUED", "ACTIVE", {issue}),
        change("cards tokenize {last}", "POST", "prepaid/cards/{last}/tokenizations", "cards",
               "card-", card(" tokenizations"), "cards get {last} tokenizations", "0 tokenizations",
               "1 tokenization", {issue}),
        change("cards activate {last} 1234 123", "POST", "prepaid/cards/{last}/activation", "cards",
               "card-", card(""), "cards get {last}", "ISSUED", "ISSUED", {issue}),
        change("accounts add USD", "POST", "accounts", "accounts", "acc-",
               "accounts: stopped waiting: the account may have been added", "accounts get {next}",
               "NOT_FOUND", "account {next}"),
        // No command shows a quote or a verification session whose id was never shown.
        change("fx quote EUR USD", "POST", "fxrate", "fx.quotes", "fxq-",
               "fx: stopped waiting: the quote may have been made at the service; its id was not "
               "shown, so no command shows it",
               "fx get {next}", "NOT_FOUND", "quote {next}"),
        change("instruments verify SEPA_BANK_ACCOUNT https://wallet.example/instruments/verified",
               "POST", "instrument-verifications", "instrument-verifications", "ivs-",
               "instruments: stopped waiting: a verification session may have been started at the "
               "service; its id was not shown, so no command shows it",
               "instruments complete https://wallet.example/instruments/verified?sessionId={next}",
               "NOT_FOUND", "ivs-"),
        // Last: the saved card is gone after it.
        change("instruments delete CARD pi-sandbox-card", "DELETE",
               "instruments/CARD/pi-sandbox-card", "", "",
               "instruments: stopped waiting: the deletion may have reached the service "
               "(`instruments get CARD pi-sandbox-card` shows it)",
               "instruments get CARD pi-sandbox-card", "VERIFIED", "NOT_FOUND"),
    };
}

std::vector<Wait> screenWaits() {
    // No command of the host reads a verification session: the words say what is unknown.
    return {
        {.name = "kyc start, the session made",
         .steps = {{"", "kyc start"}},
         .method = "POST",
         .path = "digitalwallets/v1/profile/kyc/sessions",
         .says = "kyc: stopped waiting: a verification session may have been made at the service; "
                 "no command shows one",
         .before = money(1, "EUR"),
         .after = money(1, "EUR"),
         .lost = {"-"}},
        {.name = "kyc start, its page loading",
         .steps = {{"", "kyc start"}},
         .method = "GET",
         .path = "sandbox/kyc/{next}",
         .collection = "kyc.sessions",
         .prefix = "kyc-",
         .says = "kyc: stopped waiting: a verification session was started; its page was not "
                 "shown, nothing was chosen on it",
         .before = money(1, "EUR"),
         .after = money(1, "EUR"),
         .lost = {"-"}},
        {.name = "kyc start, its choice's link loading",
         .steps = {{"", "kyc start"}, {"choose:", "Complete"}},
         .method = "GET",
         .path = "sandbox/kyc/{next}/complete",
         .collection = "kyc.sessions",
         .prefix = "kyc-",
         .says = "kyc: stopped waiting: a verification session was started; whether the choice "
                 "made on its page reached the service is unknown",
         .check = "kyc status",
         .before = "kyc IN_PROGRESS",
         .after = "kyc COMPLETED",
         .lost = {"kyc start: a verification session was started; whether the choice made on "
                  "its page reached the service is unknown"}},
        {.name = "secure-details, the page made",
         .setup = {"cards issue Corvend-Classic EUR"},
         .steps = {{"", "secure-details {last}"}},
         .method = "POST",
         .path = "digitalwallets/v1/profile/prepaid/cards/{last}/secure-details",
         .collection = "cards",
         .prefix = "card-",
         .says = "secure-details: cancelled (Ctrl-C)",
         .before = "!Card 5",
         .after = "!Card 5"},
        {.name = "secure-details, its page loading",
         .setup = {"cards issue Corvend-Classic EUR"},
         .steps = {{"", "secure-details {last}"}},
         .method = "GET",
         .path = "sandbox/secure-details/{last}",
         .collection = "cards",
         .prefix = "card-",
         .says = "secure-details: cancelled (Ctrl-C)",
         .before = "!Card 5",
         .after = "!Card 5"},
    };
}

std::vector<Wait> cardDepositWaits() {
    const std::vector<std::pair<std::string, std::string>> form{
        {"", "card-deposit 5 EUR"},
        {"pay with:", "new card"},
        {"Card number> ", "4111111111111111"},
        {"Expiry date> ", "1230"},
        {"CVV> ", "123"},
        {"Card name (optional)> ", ""},
        {"choose:", "Add a card"}};
    auto confirmed = form;
    confirmed.emplace_back("Review the payment details", "Confirm");
    const std::string path = "digitalwallets/v1/profile/deposits/{next}";
    // Ctrl-C while the flow waits: the deposit read back says where it stands.
    const std::string flow =
        "card deposit result: unknown: Ctrl-C stopped it while its last step may have reached the "
        "service deposit {next} is ";
    // Inside the flow: its end is unknown, and the deposit read back says where it stands.
    const std::string lost =
        "card deposit result: unknown: its last step may have reached the "
        "service (The network connection was lost.";
    // Acted on late: the state read is no end.
    const std::string mayLand =
        "the step sent may still be acted on (`deposit get {next}` shows where it ends)";
    return {
        {.name = "card-deposit, the saved cards read",
         .steps = {form[0]},
         .method = "GET",
         .path = "digitalwallets/v1/profile/instruments",
         .says = "card-deposit: cancelled (Ctrl-C)",
         .before = money(1, "EUR"),
         .after = money(1, "EUR")},
        {.name = "card-deposit, the preview",
         .steps = {form[0], form[1]},
         .method = "POST",
         .path = "digitalwallets/v1/profile/deposits",
         .collection = "deposits",
         .prefix = "dep-",
         .says = "card-deposit: stopped waiting: the card deposit may have been made",
         .check = "deposit get {next}",
         .before = "NOT_FOUND",
         .after = "PREVIEW"},
        {.name = "card-deposit, Add a card",
         .steps = form,
         .method = "POST",
         .path = path + "/status",
         .collection = "deposits",
         .prefix = "dep-",
         .says = flow,
         .check = "deposit get {next}",
         .before = "PREVIEW",
         .after = "PENDING",
         .lost = {lost, "deposit {next} is PENDING"},
         .late = {"deposit {next} is PREVIEW when read; " + mayLand, "!nothing was deposited"}},
        {.name = "card-deposit, Confirm",
         .steps = confirmed,
         .method = "POST",
         .path = path + "/status",
         .collection = "deposits",
         .prefix = "dep-",
         .says = flow,
         .check = "deposit get {next}",
         .before = "PENDING",
         .after = "COMPLETED",
         .lost = {lost, "deposit {next} is COMPLETED"},
         .late = {"deposit {next} is PENDING when read; " + mayLand, "!no card was charged",
                  "!nothing was deposited"}},
        {.name = "card-deposit, the read-back after the flow",
         .steps = confirmed,
         .method = "GET",
         .path = path,
         .collection = "deposits",
         .prefix = "dep-",
         .says = "card-deposit: stopped waiting: the card-deposit flow completed; `deposit get "
                 "{next}` shows where its deposit stands",
         .check = "deposit get {next}",
         .before = "COMPLETED",
         .after = "COMPLETED"},
    };
}

}  // namespace

// Ctrl-C while a command waits on the service ends the command: the prompt is back within two
// seconds, nothing of the command follows it, the session reads the next command, and what
// the host said agrees with what the service then holds.
TEST_P(CtrlCAtEveryWait, EndsTheCommandAndSaysWhatTheServiceMayHold) {
    stopEachWait(GetParam());
}

INSTANTIATE_TEST_SUITE_P(WalletCli, CtrlCAtEveryWait,
                         ::testing::Values(readWaits(), changeWaits(), screenWaits(),
                                           cardDepositWaits()));

// A card deposit whose 3-D Secure choice may have reached the service is not "cancelled": its
// end is unknown, and the deposit read back says what the service holds and how the command
// ends (0 when COMPLETED, as the deposit did what was asked; 130 after Ctrl-C).
TEST(WalletCliTest, ACardDepositWhoseChoiceWasNotSeenToArriveIsUnknownThenReadBack) {
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    const std::string toPage = std::string(kNewCard) + "\nAdd a card\nConfirm\nApprove\n";
    const std::string unknown =
        "card deposit result: unknown: the choice made on its 3-D Secure page may have reached "
        "the service";
    using corvend::sandbox::ScriptedReply;
    const ScriptedReply lostAfter{.afterRoute = true, .dropConnection = true};
    const ScriptedReply gateway{.status = 502,
                                .body = "<title>Bad gateway</title>",
                                .contentType = "text/html",
                                .afterRoute = true,
                                .replaceRouteReply = true};
    // The reply lost after the service acted, then before (a read is sent twice); answered
    // with an error after it acted; lost after it acted, and the read sent again refused, as
    // the page is gone.
    for (const auto& [replies, id, holds, exitCode] :
         {std::tuple{std::vector{lostAfter, lostAfter}, "dep-1", "COMPLETED", 0},
          {std::vector<ScriptedReply>(2, {.dropConnection = true}), "dep-2", "still PROCESSING", 1},
          {std::vector{gateway}, "dep-3", "COMPLETED", 0},
          {std::vector{lostAfter}, "dep-4", "COMPLETED", 0},
          {std::vector<ScriptedReply>{{.body = "<title>Thank you</title><p>You may close.</p>",
          .contentType = "text/html",
          .afterRoute = true,
          .replaceRouteReply = true}},
           "dep-5", "COMPLETED", 0},
          {std::vector<ScriptedReply>{{.status = 302,
          .headers = {{"Location", "http://127.0.0.1:1/thanks"}},
          .contentType = "",
          .afterRoute = true,
          .replaceRouteReply = true}},
           "dep-6", "COMPLETED", 0}}) {
        for (const auto& reply : replies) {
            sandbox.scriptNextReply("GET", std::string("sandbox/3ds/") + id + "/approve", reply);
        }
        const CliRun lost =
            runCli({"--base-url", sandbox.baseURL(), "card-deposit", "25", "EUR"}, toPage);
        EXPECT_EQ(lost.exitCode, exitCode) << lost.output;
        EXPECT_THAT(flowing(lost.output), HasSubstr(unknown));
        EXPECT_THAT(lost.output, HasSubstr(std::string("deposit ") + id + " is " + holds));
        EXPECT_THAT(lost.output, Not(HasSubstr("cancelled")));
    }

    // Ctrl-C while the reply is held after the service acted.
    sandbox.scriptNextReply("GET", "sandbox/3ds/dep-7/approve", {.hold = true, .afterRoute = true});
    Terminal terminal({"--base-url", sandbox.baseURL(), "card-deposit", "25", "EUR"});
    typeNewCard(terminal, "");
    for (const auto& [shown, answer] : {std::pair{"] Add a card", "Add a card"},
                                        {"] Confirm", "Confirm"},
                                        {"] Decline", "Approve"}}) {
        ASSERT_TRUE(terminal.waitFor(shown)) << terminal.shown();
        ASSERT_TRUE(terminal.waitForPrompt("> ")) << terminal.shown();
        terminal.type(std::string(answer) + "\r");
    }
    ASSERT_TRUE(sandbox.waitForHeld(1, std::chrono::minutes(1)));
    terminal.type(kCtrlC);
    EXPECT_EQ(terminal.status(), 130);
    sandbox.releaseHeld();
    EXPECT_THAT(flowing(terminal.shown()), HasSubstr(unknown));
    EXPECT_THAT(terminal.shown(), HasSubstr("deposit dep-7 is COMPLETED"));
    EXPECT_THAT(terminal.shown(), Not(HasSubstr("result: cancelled")));
}

// `kyc start` whose session reply, request or page was lost says what may have happened, as
// Ctrl-C does, never the kit's enumeration name; a page answered with an error status was not
// shown.
TEST(WalletCliTest, AKycStartWhoseSessionOrPageWasLostSaysWhatMayHaveHappened) {
    const std::string session = "digitalwallets/v1/profile/kyc/sessions";
    const std::string made =
        "kyc start: a verification session may have been made at the service; no command shows "
        "one";
    const std::string started =
        "kyc start: a verification session was started; its page was not shown, nothing was "
        "chosen on it: ";
    const std::string page = "sandbox/kyc/kyc-1";
    using Reply = corvend::sandbox::ScriptedReply;
    for (const auto& [method, path, reply, says] :
         {std::tuple{"POST", session, Reply{.afterRoute = true, .dropConnection = true}, made},
          {"POST", session, {.dropConnection = true}, made},
          {"GET",
           page,
           {.afterRoute = true, .dropConnection = true},
           started + "the page could not be loaded: The network connection was lost."},
          // A page answered with an error status is the server's, not the session's.
          {"GET", page, {.status = 404}, started + "the server answered HTTP 404"},
          {"GET", page, {.status = 503}, started + "the server answered HTTP 503"}}) {
        corvend::sandbox::Sandbox sandbox;
        sandbox.start();
        for (int send = 0; send < 2; ++send) sandbox.scriptNextReply(method, path, reply);
        const CliRun run = runCli({"--base-url", sandbox.baseURL(), "kyc", "start"}, "close\n");
        EXPECT_EQ(run.exitCode, 1) << run.output;
        EXPECT_THAT(flowing(run.output), HasSubstr(says)) << path;
        EXPECT_THAT(run.output, Not(HasSubstr("internalError")));
    }
}

// The smaller untruths: a long word is cut to fit and still reads whole; a transfer's word that
// is not UTF-8 is a usage error that speaks of the transfer; a lost preview names the page that
// shows the newest; one command's configure stopped by Ctrl-C speaks of no session.
TEST(WalletCliTest, WhatTheHostSaysOfLongWordsRefusedWordsAndLostRepliesIsTrue) {
    const std::string number(200, '4');
    const CliRun check = runCli({"card", "check", number});
    EXPECT_THAT(linesWiderThan(check.output, 80), ::testing::IsEmpty()) << check.output;
    const std::string rejoined = std::regex_replace(check.output, std::regex("\n +"), "");
    EXPECT_THAT(rejoined, HasSubstr("444444" + std::string(190, '*') + "4444"));

    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    const std::string url = sandbox.baseURL();
    const std::string id = std::string(120, 'd') + "-" + std::string(80, 'e');
    const CliRun longId = runCli({"--base-url", url, "deposit", "get", id});
    EXPECT_THAT(linesWiderThan(longId.output, 80), ::testing::IsEmpty()) << longId.output;
    // Cut after the hyphen, and whole once its lines are joined again.
    EXPECT_THAT(longId.output, HasSubstr("d-\n  eee"));
    EXPECT_THAT(std::regex_replace(longId.output, std::regex("\n +"), ""), HasSubstr(id));

    // Columns as a terminal shows them: a CJK character takes two.
    std::string wideId;
    for (int i = 0; i < 30; ++i) wideId += "日本語";
    const CliRun wide = runCli({"--base-url", url, "deposit", "get", wideId});
    EXPECT_THAT(linesWiderThan(wide.output, 80), ::testing::IsEmpty()) << wide.output;
    EXPECT_THAT(std::regex_replace(wide.output, std::regex("\n +"), ""), HasSubstr(wideId));

    const auto transfers = sandbox.store().list("transfers").size();
    // A stray byte, and a surrogate, which UTF-8 never encodes.
    for (const auto& [ref, shown] :
         {std::pair{"ref\xff", "ref\\xff"}, std::pair{"ref\xed\xa0\x80", "ref\\xed\\xa0\\x80"}}) {
        const CliRun notText =
            runCli({"--base-url", url, "transfer", "send", "5", "EUR", "ana@example.com", ref});
        EXPECT_EQ(notText.exitCode, 2) << notText.output;
        EXPECT_THAT(flowing(notText.output),
                    HasSubstr("[ref] '" + std::string(shown) +
                              "' is not UTF-8 text, which a transfer cannot carry"));
        EXPECT_THAT(notText.output, Not(HasSubstr("deposit")));
        EXPECT_EQ(sandbox.store().list("transfers").size(), transfers);
    }
    const CliRun notReference = runCli({"--base-url", url, "kyc", "start", "--ref", "r\xff"});
    EXPECT_THAT(flowing(notReference.output),
                HasSubstr("--ref 'r\\xff' is not UTF-8 text, which a verification session "
                          "cannot carry: nothing was sent"));
    const CliRun noSession =
        runCli({"--base-url", url, "instruments", "complete", "https://wallet.example/done"});
    EXPECT_THAT(flowing(noSession.output), HasSubstr("names no session"));

    // More transfers than the first page holds, the last one's reply lost: the page named
    // shows it.
    std::string previews;
    for (int i = 0; i < 10; ++i) previews += "transfer preview 1 EUR ana@example.com\n";
    runCli({"--base-url", url}, "configure\nauthenticate\n" + previews);
    const auto count = std::to_string(sandbox.store().list("transfers").size() + 1);
    sandbox.scriptNextReply("POST", "digitalwallets/v1/profile/transfers",
                            {.afterRoute = true, .dropConnection = true});
    const CliRun lost = runCli({"--base-url", url},
                               "configure\nauthenticate\ntransfer preview 1 EUR fay@example.com\n"
                               "transfer list\ntransfer list 1 " +
                                   std::to_string(std::stoul(count) - 1) + "\n");
    EXPECT_THAT(flowing(lost.output),
                HasSubstr("the transfer may have reached the service (it would be the newest: "
                          "`transfer list` gives the count N, `transfer list 1 <N-1>` shows the "
                          "newest)"));
    EXPECT_THAT(lost.output, HasSubstr("10 transfers of " + count + "\n"));
    EXPECT_EQ(countOf(lost.output, "fay@example.com"), 1u) << lost.output;
    EXPECT_THAT(lost.output, HasSubstr("1 transfer of " + count + "\n"));

    sandbox.scriptNextReply("GET", "digitalwallets/v1/auth/configurations", {.hold = true});
    Terminal configure({"--base-url", url, "configure"});
    ASSERT_TRUE(sandbox.waitForHeld(1, std::chrono::minutes(1)));
    configure.type(kCtrlC);
    EXPECT_EQ(configure.status(), 130);
    sandbox.releaseHeld();
    EXPECT_THAT(flowing(configure.shown()),
                HasSubstr("configure: cancelled (Ctrl-C); the program ends unconfigured; a "
                          "command run next configures anew"));
    EXPECT_THAT(configure.shown(), Not(HasSubstr("session")));
}

namespace {

// The modes a person sees of a terminal: its flags and its special keys.
std::string modesOf(const termios& modes) {
    std::ostringstream shown;
    shown << std::hex << "iflag " << modes.c_iflag << " oflag " << modes.c_oflag << " cflag "
          << modes.c_cflag << " lflag " << modes.c_lflag << " keys";
    for (const cc_t key : modes.c_cc) shown << ' ' << static_cast<int>(key);
    return shown.str();
}

std::string endOf(int status) {
    if (WIFSIGNALED(status)) return std::string("signal ") + strsignal(WTERMSIG(status));
    if (WIFSTOPPED(status)) return std::string("stopped by ") + strsignal(WSTOPSIG(status));
    return "exit " + std::to_string(WEXITSTATUS(status));
}

// One way a session at a terminal ends: keys typed, or a signal sent to the host.
struct SessionEnd {
    std::string name;
    std::string keys;
    int signal = 0;
    enum Where { atThePrompt, whileACommandWaits, whileOneCommandWaits } where = atThePrompt;
    // Window-size changes taken first, each before the next is sent.
    int resizes = 0;
    // Ignored from the start (nohup): the signal changes nothing, the keys end the session.
    bool ignored = false;
    // Standard output is a pipe, closed at the prompt: the lines typed then send nothing.
    bool outputGone = false;
};

// Whether `signal` waits for the process `pid` to take it.
bool pending(pid_t pid, int signal) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("ShdPnd:"))
            return ((std::stoull(line.substr(7), nullptr, 16) >> (signal - 1)) & 1U) != 0;
    }
    return false;
}

// Sends `signal` and waits until the process has taken it; false if it never does.
bool taken(pid_t pid, int signal) {
    kill(pid, signal);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (pending(pid, signal)) {
        if (std::chrono::steady_clock::now() > deadline) return false;
    }
    return true;
}

void PrintTo(const SessionEnd& end, std::ostream* out) {
    *out << end.name;
}

class TheTerminalAtEveryEnd : public ::testing::TestWithParam<SessionEnd> {};

}  // namespace

// Every end of the host leaves the terminal's modes as it found them, read on the terminal
// itself; an end by a signal is that signal's, for the parent to see.
TEST_P(TheTerminalAtEveryEnd, IsAsTheHostFoundIt) {
    const SessionEnd& end = GetParam();
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    const bool oneCommand = end.where == SessionEnd::whileOneCommandWaits;
    if (end.where != SessionEnd::atThePrompt)
        sandbox.scriptNextReply("GET", "digitalwallets/v1/profile/prepaid/cards",
                                {.hold = true, .afterRoute = true});
    std::vector<std::string> words{"--base-url", sandbox.baseURL()};
    if (oneCommand) words.insert(words.end(), {"cards", "list"});
    std::array<int, 2> output{-1, -1};
    if (end.outputGone) {
        ASSERT_EQ(pipe2(output.data(), O_CLOEXEC), 0);
    }
    Terminal terminal(words, {.ignored = end.ignored ? end.signal : 0, .output = output[1]});
    if (end.outputGone) {
        close(output[1]);
        ASSERT_TRUE(terminal.waitForPrompt("wallet> "));
        close(output[0]);
    } else if (!oneCommand) {
        signIn(terminal);
    }
    if (end.where == SessionEnd::whileACommandWaits) terminal.type("cards list\r");
    if (end.where != SessionEnd::atThePrompt) {
        ASSERT_TRUE(waitForPath(sandbox, "/digitalwallets/v1/profile/prepaid/cards"));
    }
    // The command's own time-out may pass while the signals come: its output held, the host
    // waits in its next write however long they take.
    if (end.resizes > 0) terminal.holdOutput();
    for (int i = 0; i < end.resizes; ++i) {
        ASSERT_TRUE(taken(terminal.program(), SIGWINCH)) << "resize " << i;
    }
    if (end.signal != 0) {
        ASSERT_TRUE(taken(terminal.program(), end.signal));
    }
    if (!end.keys.empty()) {
        terminal.type(end.keys);
        sandbox.releaseHeld();
    }
    const int status = terminal.waitStatus();
    sandbox.releaseHeld();
    if (end.signal != 0 && !end.ignored) {
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == end.signal) << endOf(status);
    } else {
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == (end.outputGone ? 1 : 0))
            << endOf(status);
    }
    EXPECT_EQ(modesOf(terminal.modes()), modesOf(terminal.startModes())) << terminal.shown();
    if (end.outputGone) {
        EXPECT_THAT(terminal.shown(), HasSubstr("standard output could not be written: Broken"));
        // The lines typed after it are never run: nobody would see what they did.
        EXPECT_EQ(sandbox.requests().size(), 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    WalletCli, TheTerminalAtEveryEnd,
    ::testing::Values(
        SessionEnd{"QuitAtThePrompt", "quit\r"}, SessionEnd{"CtrlDAtThePrompt", "\x04"},
        SessionEnd{"QuitTypedWhileACommandWaits", "quit\r", 0, SessionEnd::whileACommandWaits},
        SessionEnd{"CtrlDTypedWhileACommandWaits", "\x04", 0, SessionEnd::whileACommandWaits},
        SessionEnd{"SigtermAtThePrompt", "", SIGTERM}, SessionEnd{"SighupAtThePrompt", "", SIGHUP},
        SessionEnd{"SigquitAtThePrompt", "", SIGQUIT},
        SessionEnd{"SigtermWhileACommandWaits", "", SIGTERM, SessionEnd::whileACommandWaits},
        SessionEnd{"SighupWhileACommandWaits", "", SIGHUP, SessionEnd::whileACommandWaits},
        SessionEnd{"SigquitWhileACommandWaits", "", SIGQUIT, SessionEnd::whileACommandWaits},
        SessionEnd{"SigtermWhileOneCommandWaits", "", SIGTERM, SessionEnd::whileOneCommandWaits},
        SessionEnd{"SighupWhileOneCommandWaits", "", SIGHUP, SessionEnd::whileOneCommandWaits},
        SessionEnd{"SigquitWhileOneCommandWaits", "", SIGQUIT, SessionEnd::whileOneCommandWaits},
        // More wake-ups than the editor's pipe holds, while nothing reads it.
        SessionEnd{"SigtermAfterManyResizesWhileOneCommandWaits", "", SIGTERM,
                   SessionEnd::whileOneCommandWaits, 70'000},
        SessionEnd{"SighupIgnoredAtStartThenQuit", "quit\r", SIGHUP, SessionEnd::atThePrompt, 0,
                   true},
        SessionEnd{"OutputGoneAtThePrompt", "configure\rconfigure\r", 0, SessionEnd::atThePrompt, 0,
                   false, true}),
    [](const auto& info) { return info.param.name; });

// A window closed while the host is the terminal's own program and waits at its prompt or at a
// menu ends the host by the hang-up, or as the end of its input; never by a crash.
TEST(WalletCliTest, AClosedWindowNeverCrashesTheHost) {
    for (int i = 0; i < 20; ++i) {
        const bool atAMenu = i % 2 == 1;
        Terminal terminal(atAMenu ? std::vector<std::string>{"card-deposit", "5", "EUR"}
                                  : std::vector<std::string>{});
        ASSERT_TRUE(terminal.waitForPrompt(atAMenu ? "> " : "wallet> ")) << terminal.shown();
        const int status = terminal.hangUp();
        EXPECT_TRUE(WIFEXITED(status) || (WIFSIGNALED(status) && WTERMSIG(status) == SIGHUP))
            << (atAMenu ? "at a menu: " : "at the prompt: ") << endOf(status);
    }
}

// An answer typed at a terminal once the flow's output is gone (its pipe's reader left while the
// review screen waited) answers what nobody saw: it is never acted on, and nothing more is sent.
TEST(WalletCliTest, AtATerminalAnAnswerTypedOnceTheOutputIsGoneSendsNothing) {
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    std::array<int, 2> output{-1, -1};
    ASSERT_EQ(pipe2(output.data(), O_CLOEXEC), 0);
    Terminal terminal({"--base-url", sandbox.baseURL(), "card-deposit", "5", "EUR", "--saved-card",
                       "pi-sandbox-card"},
                      {.output = output[1]});
    close(output[1]);
    ASSERT_TRUE(terminal.waitForPrompt("CVV> ")) << terminal.shown();
    terminal.type("123\r");
    ASSERT_TRUE(terminal.waitForPrompt("> ")) << terminal.shown();
    terminal.type("Continue\r");
    ASSERT_TRUE(terminal.waitForPrompt("> ")) << terminal.shown();
    close(output[0]);
    const auto sent = sandbox.requests().size();
    terminal.type("Confirm\r");
    EXPECT_EQ(terminal.status(), 1) << terminal.shown();
    EXPECT_THAT(terminal.shown(), HasSubstr("standard output could not be written: Broken pipe"));
    EXPECT_EQ(sandbox.requests().size(), sent);
}

// Ctrl-Z stops the host where it reads a line and while a command waits, with the terminal's
// modes given back while it is stopped; continued, the editor has the terminal again and shows
// the line typed so far, which goes on as typed.
TEST(WalletCliTest, CtrlZSuspendsTheHostAndTheTypedLineComesBack) {
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    Terminal terminal({"--base-url", sandbox.baseURL()}, {.asJob = true});
    signIn(terminal);
    // The window may be resized while the host is stopped.
    const auto suspendAndContinue = [&terminal](const std::string& where,
                                                unsigned short columns = 80) {
        terminal.type("\x1a");
        ASSERT_TRUE(terminal.waitFor("[job stopped by SIGTSTP]")) << where << terminal.shown();
        int status = 0;
        ASSERT_EQ(waitpid(terminal.program(), &status, WUNTRACED), terminal.program());
        ASSERT_TRUE(WIFSTOPPED(status)) << where << endOf(status);
        EXPECT_EQ(modesOf(terminal.modes()), modesOf(terminal.startModes())) << where;
        terminal.resize(columns);
        terminal.mark();
        kill(terminal.program(), SIGCONT);
    };

    // At the prompt, the window narrowed to 20 columns meanwhile: the line goes on to a new row
    // at its new edge.
    terminal.type("money 5 EU");
    suspendAndContinue("at the prompt", 20);
    ASSERT_TRUE(terminal.waitFor("wallet> money 5 EU")) << terminal.shown();
    EXPECT_EQ(terminal.modes().c_lflag & (ICANON | ECHO), 0u);
    terminal.type("R          ");
    ASSERT_TRUE(terminal.waitFor("R  \b")) << terminal.shown();
    terminal.type("\r");
    ASSERT_TRUE(terminal.waitFor(money(5, "EUR"))) << terminal.shown();
    ASSERT_TRUE(terminal.waitForPrompt("wallet> "));

    // At a menu.
    terminal.type("card-deposit 5 EUR\r");
    ASSERT_TRUE(terminal.waitFor("pay with:"));
    ASSERT_TRUE(terminal.waitForPrompt("> "));
    terminal.type("clo");
    suspendAndContinue("at a menu");
    ASSERT_TRUE(terminal.waitFor("> clo")) << terminal.sinceMark();
    terminal.type("se\r");
    ASSERT_TRUE(terminal.waitFor("closed before a card was chosen")) << terminal.shown();
    ASSERT_TRUE(terminal.waitForPrompt("wallet> "));

    // While a command waits.
    sandbox.scriptNextReply("GET", "digitalwallets/v1/profile/prepaid/cards",
                            {.hold = true, .afterRoute = true});
    terminal.type("cards list\r");
    ASSERT_TRUE(waitForPath(sandbox, "/digitalwallets/v1/profile/prepaid/cards"));
    // Typed while it waits: kept through the stop for the prompt, never the shell's.
    terminal.type("money 3 EU");
    suspendAndContinue("while a command waits");
    sandbox.releaseHeld();
    ASSERT_TRUE(terminal.waitFor("0 cards")) << terminal.shown();
    ASSERT_TRUE(terminal.waitForPrompt("wallet> money 3 EU")) << terminal.shown();
    terminal.type("R\r");
    ASSERT_TRUE(terminal.waitFor(money(3, "EUR"))) << terminal.shown();
    ASSERT_TRUE(terminal.waitForPrompt("wallet> "));
    terminal.type("quit\r");
    EXPECT_EQ(terminal.status(), 0) << terminal.shown();
    EXPECT_EQ(modesOf(terminal.modes()), modesOf(terminal.startModes()));
}

// Piped (`wallet-cli | cat`), the editor still draws the prompt and what is typed on the
// terminal, and Ctrl-Z stops the whole job, as the terminal's key would.
TEST(WalletCliTest, PipedAtATerminalTheLineIsShownAndCtrlZStopsTheWholeJob) {
    Terminal piped({"--base-url", "http://127.0.0.1:9/"}, {.asJob = true, .piped = true});
    ASSERT_TRUE(piped.waitForPrompt("wallet> ")) << piped.shown();
    piped.type("money 5 EU");
    ASSERT_TRUE(piped.waitFor("money 5 EU")) << piped.shown();
    piped.type("\x1a");
    // Told once both the host and cat have stopped.
    ASSERT_TRUE(piped.waitFor("[job stopped by SIGTSTP]")) << piped.shown();
    int status = 0;
    ASSERT_EQ(waitpid(piped.program(), &status, WUNTRACED), piped.program());
    kill(piped.program(), SIGCONT);
    ASSERT_TRUE(piped.waitFor("wallet> money 5 EU")) << piped.shown();
    piped.type("R\r");
    ASSERT_TRUE(piped.waitFor(money(5, "EUR"))) << piped.shown();
    piped.type("quit\r");
    EXPECT_EQ(piped.status(), 0) << piped.shown();
}

// In the background a command that reads nothing runs to its end, as any program does; one
// that reads stops only once it asks.
TEST(WalletCliTest, InTheBackgroundACommandStopsOnlyWhenItReads) {
    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    for (const auto& words : std::vector<std::vector<std::string>>{
             {"version"},
             {"money", "100", "EUR"},
             {"--base-url", sandbox.baseURL(), "history", "authorizations"}}) {
        Terminal job(words, {.asJob = true, .background = true});
        EXPECT_EQ(job.status(), 0) << job.shown();
        EXPECT_THAT(job.shown(), Not(HasSubstr("[job stopped"))) << words.back();
    }
    Terminal reads({"--base-url", sandbox.baseURL(), "card-deposit", "5", "EUR"},
                   {.asJob = true, .background = true});
    ASSERT_TRUE(reads.waitFor("pay with:")) << reads.shown();
    EXPECT_TRUE(reads.waitFor("[job stopped by SIGTT")) << reads.shown();
}

// A page whose links lead back to itself, and a page of very many links.

namespace {

// Serves the sandbox's page at `pattern` as one whose links lead back to the page itself: by
// its own path, and by an empty address.
void linkPageToItself(corvend::sandbox::Sandbox& sandbox, const std::string& pattern) {
    sandbox.addRoute("GET", pattern, [](const corvend::sandbox::RouteRequest& request) {
        corvend::sandbox::Reply reply;
        reply.contentType = "text/html";
        reply.body = "<title>Once more</title><p>Confirm again.</p><a href=\"" +
                     request.request.path + "\">Again</a> <a href=\"\">Here</a>";
        return reply;
    });
}

constexpr const char* kThreeTimes = "Again\nHere\nAgain\nclose\n";

}  // namespace

// Each time a link to the page itself is chosen, the page loads again, is shown again and the
// person is asked again, at a 3-D Secure page and a verification page alike; `close`
// then ends the page as on any other.
TEST(WalletCliTest, APageLinkedToItselfIsShownAndAskedAgainEachTime) {
    const std::string toPage = std::string(kNewCard) + "\nAdd a card\nConfirm\n";
    struct Page {
        std::string pattern;
        std::string command;
        std::string end;
    };
    const std::vector<Page> pages{
        {"sandbox/3ds/{id}", "card-deposit 25 EUR\n" + toPage, "deposit dep-1 is still PROCESSING"},
        {"sandbox/kyc/{id}", "kyc start\n",
         "whether the choice made on its page reached the service is unknown"},
        {"sandbox/instrument-verification/{id}",
         "instruments verify UK_BANK_ACCOUNT https://wallet.example/verified\n",
         "verification ivs-1 may have completed: its page, or a page its links led to"},
    };
    for (const auto& [pattern, command, end] : pages) {
        corvend::sandbox::Sandbox sandbox;
        sandbox.start();
        linkPageToItself(sandbox, pattern);
        const CliRun run = runCli({"--base-url", sandbox.baseURL()},
                                  "configure\nauthenticate\n" + command + kThreeTimes);
        EXPECT_NE(run.exitCode, 124) << pattern << " hung:\n" << run.output;
        EXPECT_EQ(countOf(run.output, "title: Once more\n"), 4u) << run.output;
        EXPECT_THAT(flowing(run.output), HasSubstr(end));
    }

    corvend::sandbox::Sandbox sandbox;
    sandbox.start();
    linkPageToItself(sandbox, "sandbox/3ds/{id}");
    Terminal terminal({"--base-url", sandbox.baseURL()});
    signIn(terminal);
    terminal.type("card-deposit 25 EUR\r");
    typeNewCard(terminal, "");
    for (const std::string answer : {"Add a card", "Confirm", "Again", "Here", "Again", "close"}) {
        ASSERT_TRUE(terminal.waitFor("choose:")) << terminal.shown();
        ASSERT_TRUE(terminal.waitForPrompt("> "));
        terminal.type(answer + "\r");
    }
    // Its links were followed: what they did is unknown.
    ASSERT_TRUE(terminal.waitFor("card deposit result: unknown")) << terminal.shown();
    ASSERT_TRUE(terminal.waitForPrompt("wallet> "));
    terminal.type("quit\r");
    EXPECT_EQ(terminal.status(), 0);
    EXPECT_EQ(countOf(terminal.shown(), "title: Once more\r\n"), 4u) << terminal.shown();
}

// Ctrl-C is served while any part of a long page prints, its text, its links or the list of
// its choices: the printing stops where it was and the page is closed, as `close` closes it.
TEST(WalletCliTest, AtATerminalCtrlCIsServedWhileAPageOfManyLinksIsListed) {
    std::string links = "<title>Many ways</title>";
    for (int i = 1; i <= 100'000; ++i) {
        links += "<a href=/p/" + std::to_string(i) + ">" + std::to_string(i) + "</a>";
    }
    std::string text = "<title>Long read</title>";
    for (int i = 1; i <= 100'000; ++i) {
        text += "<p>Line " + std::to_string(i) + " of a long page.</p>";
    }
    // One line of the host's own names for its controls, as long as the view loads: shown as
    // written and fitted while Ctrl-C is served.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    constexpr std::size_t kOneLine = std::size_t{2} << 20;
#else
    constexpr std::size_t kOneLine = (std::size_t{16} << 20) - 1024;
#endif
    const auto lineOf = [](std::size_t bytes) {
        std::string page = "<p>";
        while (page.size() < bytes - 64) page += "[xmark]";
        return page + "</p><p>The end of the page.</p>";
    };
    const std::string oneLine = lineOf(kOneLine);
    const std::string quarterLine = lineOf(kOneLine / 4);
    struct Page {
        const std::string& body;
        std::string shownFirst;
        std::string notShown;
        // As the secure-details page, printed in one go: Ctrl-C cuts its words short.
        bool secureDetails = false;
    };
    for (const auto& [body, shownFirst, notShown, secureDetails] :
         {Page{links, "choose:", "[100000] 100000"},
          Page{links, "title: Many ways", "link: 100000"},
          Page{text, "title: Long read", "Line 100000 of"},
          Page{oneLine, "  |   [xmark][xmark]", "The end of the page."},
          Page{quarterLine, "  |   [xmark][xmark]", "The end of the page.", true}}) {
        SCOPED_TRACE(shownFirst + (secureDetails ? " (secure details)" : ""));
        corvend::sandbox::Sandbox sandbox;
        sandbox.start();
        sandbox.addRoute(
            "GET",
            secureDetails ? "sandbox/secure-details/{id}" : "sandbox/instrument-verification/{id}",
            [&body](const corvend::sandbox::RouteRequest&) {
                corvend::sandbox::Reply reply;
                reply.contentType = "text/html";
                reply.body = body;
                return reply;
            });
        Terminal terminal({"--base-url", sandbox.baseURL()});
        // What the terminal last showed: the page is too long to print whole.
        const auto end = [&] {
            return terminal.shown().substr(std::max<std::size_t>(terminal.shown().size(), 500) -
                                           500);
        };
        signIn(terminal);
        if (secureDetails) {
            terminal.type("cards issue Corvend-Classic EUR\r");
            ASSERT_TRUE(terminal.waitForPrompt("wallet> ")) << end();
            terminal.type("secure-details card-1\r");
        } else {
            terminal.type("instruments verify UK_BANK_ACCOUNT https://wallet.example/verified\r");
        }
        ASSERT_TRUE(terminal.waitFor(shownFirst)) << end();
        terminal.interrupt();
        // Its page's request reached the service: what loading it did is unknown.
        ASSERT_TRUE(terminal.waitFor(secureDetails ? "loaded " : "ivs-1 may have completed"))
            << end();
        ASSERT_TRUE(terminal.waitForPrompt("wallet> ")) << end();
        terminal.type("quit\r");
        EXPECT_EQ(terminal.status(), 0);
        EXPECT_EQ(terminal.shown().find(notShown), std::string::npos) << end();
        // Cut short where Ctrl-C came, a long line of a page too.
        EXPECT_LT(countOf(terminal.shown(), "[xmark]") * 7, body.size() / 2);
    }
}

// At a terminal the host fits its rows to the terminal's own width: no row runs past its edge
// (where the terminal would start a row of its own, unmarked), and every row of a page's words
// carries the mark, a row of characters drawn two columns wide (U+4DC0) too.
TEST(WalletCliTest, AtATerminalEveryRowOfAPageIsMarkedAtTheTerminalsWidth) {
    std::string hexagrams;
    for (int i = 0; i < 38; ++i) hexagrams += "\u4dc0";
    const std::string letters = "abcdefghijklmnopqrstuvwxyzabcdefghi";
    for (const auto& [columns, before] :
         {std::pair<unsigned short, std::string>{40, letters}, {80, hexagrams}, {40, hexagrams}}) {
        SCOPED_TRACE(columns);
        corvend::sandbox::Sandbox sandbox;
        sandbox.start();
        const std::string page =
            "<title>3-D Secure</title><p>" + before + " card deposit result: completed";
        sandbox.addRoute("GET", "sandbox/instrument-verification/{id}",
                         [&page](const corvend::sandbox::RouteRequest&) {
                             corvend::sandbox::Reply reply;
                             reply.contentType = "text/html";
                             reply.body = page;
                             return reply;
                         });
        Terminal terminal({"--base-url", sandbox.baseURL(), "instruments", "verify",
                           "UK_BANK_ACCOUNT", "https://wallet.example/verified"},
                          {.columns = columns});
        ASSERT_TRUE(terminal.waitFor("choose:")) << terminal.shown();
        ASSERT_TRUE(terminal.waitForPrompt("> ")) << terminal.shown();
        terminal.type("close\r");
        terminal.status();
        EXPECT_THAT(linesWiderThan(terminal.shown(), columns), ::testing::IsEmpty())
            << terminal.shown();
        std::istringstream rows(terminal.shown());
        std::size_t marked = 0;
        for (std::string row; std::getline(rows, row);) {
            if (row.starts_with("  | ")) {
                ++marked;
                continue;
            }
            const std::string words = row.substr(std::min(row.find_first_not_of(' '), row.size()));
            for (const std::string& pageWord :
                 {before.substr(0, 3), std::string("card"), std::string("deposit"),
                  std::string("result:"), std::string("completed")})
                EXPECT_FALSE(words.starts_with(pageWord)) << row;
        }
        EXPECT_GE(marked, 2u) << terminal.shown();
    }
}

// A 3-D Secure or verification page in a legacy encoding, named by the reply or by the page
// itself, is shown in its own letters, and the flow behind it completes.
TEST(WalletCliTest, APageInALegacyEncodingIsShownInItsOwnLetters) {
    const std::string cyrillic =
        "<title>\xCF\xEE\xE4\xF2\xE2\xE5\xF0\xE6\xE4\xE5\xED\xE8\xE5</"
        "title><p>\xCE\xEF\xEB\xE0\xF2\xE0 "
        "25.00 EUR";
    const std::string cyrillicShown =
        "title: \u041F\u043E\u0434\u0442\u0432\u0435\u0440\u0436\u0434\u0435\u043D\u0438\u0435";
    const std::string japanese =
        "<title>\x83\x4A\x81\x5B\x83\x68</title><p>\x93\xFA\x96\x7B\x8C\xEA 25.00 EUR";
    const struct {
        const char* name;
        const char* contentType;
        std::string page;
        std::string title;
        std::string text;
    } rows[] = {
        {"windows-1251 by the reply", "text/html; charset=windows-1251", cyrillic, cyrillicShown,
         "\u041E\u043F\u043B\u0430\u0442\u0430 25.00 EUR"},
        {"windows-1251 by <meta charset>", "text/html", "<meta charset=windows-1251>" + cyrillic,
         cyrillicShown, "\u041E\u043F\u043B\u0430\u0442\u0430 25.00 EUR"},
        {"Shift_JIS by <meta http-equiv>", "text/html",
         "<meta http-equiv=Content-Type content='text/html; charset=Shift_JIS'>" + japanese,
         "title: \u30AB\u30FC\u30C9", "\u65E5\u672C\u8A9E 25.00 EUR"},
    };
    const struct {
        const char* pattern;
        const char* choice;  // the link that ends the page well, as its path and its words
        const char* words;
        std::string input;
        const char* says;
    } flows[] = {
        {"sandbox/3ds/{id}", "approve", "Approve",
         "card-deposit 25.00 EUR\n" + std::string(kNewCard) + "\nAdd a card\nConfirm\nApprove\n",
         "card deposit result: completed"},
        {"sandbox/kyc/{id}", "complete", "Complete", "kyc start\nComplete\n",
         "verification complete"},
    };
    for (const auto& row : rows) {
        for (const auto& flow : flows) {
            SCOPED_TRACE(std::string(row.name) + " as " + flow.pattern);
            corvend::sandbox::Sandbox sandbox;
            sandbox.start();
            sandbox.addRoute("GET", flow.pattern,
                             [&](const corvend::sandbox::RouteRequest& request) {
                                 corvend::sandbox::Reply reply;
                                 reply.contentType = row.contentType;
                                 reply.body = row.page + "<p><a href=\"" + request.request.path +
                                              "/" + flow.choice + "\">" + flow.words + "</a>";
                                 return reply;
                             });
            const CliRun run =
                runCli({"--base-url", sandbox.baseURL()}, "configure\nauthenticate\n" + flow.input);
            EXPECT_THAT(run.output, HasSubstr(row.title)) << run.output;
            EXPECT_THAT(run.output, HasSubstr(row.text));
            EXPECT_THAT(flowing(run.output), HasSubstr(flow.says));
            EXPECT_EQ(run.exitCode, 0);
        }
    }
}

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
// What a page costs the host stays within what its read counts (the read's 28 times the page
// plus 64 MiB, with the host's own memory and its copies of the page: 30 times plus 96 MiB),
// whatever the page joins its base to and however long it writes an address; pages real issuers
// send (text that is no UTF-8, a link left open before a long list, links to places in the page
// at an address carrying a long token) are read, and the deposit behind them completes. (The
// sanitizers' own memory is measured apart.)
TEST(WalletCliTest, APageCostsTheHostNoMoreThanItsReadCountedAndRealPagesAreRead) {
    const std::string toSummary = std::string(kNewCard) + "\nAdd a card\nConfirm\n";
    const auto repeatedText = [](const std::string& piece, int times) {
        std::string out;
        for (int i = 0; i < times; ++i) out += piece;
        return out;
    };
    const auto longBase = [&](std::size_t bytes, int links) {
        return "<title>Costly</title><base href='https://evil.example/" + std::string(bytes, 'b') +
               "/'>" + repeatedText("<a href=c>d</a>", links);
    };
    std::string legacy;  // windows-1251 letters, each no UTF-8
    for (int i = 0; i < 120'000; ++i) legacy += static_cast<char>(0xC0 + i % 64);
    // The parser re-opens the link in each item.
    const std::string openLink = "<title>Verify</title><p><a href='/" + std::string(150, 'p') +
                                 "'>Start</p><ul>" + repeatedText("<li>item</li>", 1'000);
    // A megabyte's address that leads somewhere short, left open and re-opened in 85 blocks,
    // each after a link in a table cell.
    const auto reopened = [&](const std::string& href) {
        return "<title>Costly</title><p><a href='" + href + "'>x</p>" +
               repeatedText("<table><tr><td><a href=/y>y</a></table><p>z</p>", 85);
    };
    // 28 KB of 250 links to places in the page itself.
    const auto samePage = [](const std::string& place) {
        std::string page = "<title>Places</title>";
        for (int i = 0; i < 250; ++i) {
            page += "<li><a href='#" + (place.empty() ? "" : place + std::to_string(i)) +
                    "'>Place " + std::to_string(i) + "</a> " + std::string(80, '.');
        }
        return page;
    };
    struct Row {
        std::string name;
        std::string pattern;  // the page the route of this pattern answers with
        std::string page;     // before the approving link, when the page has one
        std::string input;
        std::string says;
        bool token = false;  // the page is reached at an address carrying a 1.5 KB token
    } rows[] = {
        {"a long base as the 3-D Secure page", "sandbox/3ds/{id}", longBase(1 << 20, 2'000),
         "card-deposit 25.00 EUR\n" + toSummary + "close\n", "deposit dep-1 is still PROCESSING"},
        {"a long base as the verification page", "sandbox/kyc/{id}", longBase(1 << 20, 2'000),
         "kyc start\nclose\n", "title: Costly"},
        // One target of many links is kept and counted once.
        {"a base joined to 30,000 links to one target", "sandbox/kyc/{id}",
         longBase(57'000, 30'000), "kyc start\nclose\n", "[30000] d"},
        {"blanks before an address, re-opened, as the verification page", "sandbox/kyc/{id}",
         reopened(std::string(1 << 20, ' ') + "/x"), "kyc start\nclose\n", "title: Costly"},
        {"an address of '../', re-opened, as the 3-D Secure page", "sandbox/3ds/{id}",
         reopened(repeatedText("../", 350'000) + "x"),
         "card-deposit 25.00 EUR\n" + toSummary + "Approve\n", "COMPLETED"},
        {"blanks before an address, re-opened, as the 3-D Secure page", "sandbox/3ds/{id}",
         reopened(std::string(1 << 20, ' ') + "/x"),
         "card-deposit 25.00 EUR\n" + toSummary + "Approve\n", "COMPLETED"},
        {"an address of '../', re-opened, as the verification page", "sandbox/kyc/{id}",
         reopened(repeatedText("../", 350'000) + "x"), "kyc start\nclose\n", "title: Costly"},
        {"links to '#' as the 3-D Secure page", "sandbox/3ds/{id}", samePage(""),
         "card-deposit 25.00 EUR\n" + toSummary + "Approve\n", "COMPLETED", true},
        {"links to '#q-N' as the verification page", "sandbox/kyc/{id}", samePage("q-"),
         "kyc start\nclose\n", "[250] Place 249 [251] Approve", true},
        {"links to '#' as the verification page", "sandbox/kyc/{id}", samePage(""),
         "kyc start\nclose\n", "[250] Place 249 [251] Approve", true},
        {"links to '#q-N' as the 3-D Secure page", "sandbox/3ds/{id}", samePage("q-"),
         "card-deposit 25.00 EUR\n" + toSummary + "Approve\n", "COMPLETED", true},
        {"windows-1251 text", "sandbox/3ds/{id}", "<title>3-D Secure</title><p>" + legacy,
         "card-deposit 25.00 EUR\n" + toSummary + "Approve\n", "COMPLETED"},
        {"a link left open before a list", "sandbox/kyc/{id}", openLink, "kyc start\nclose\n",
         "[1] Start [2] item"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        corvend::sandbox::Sandbox sandbox;
        sandbox.start();
        const std::string page = row.page;
        sandbox.addRoute(
            "GET", row.pattern,
            [page, token = row.token](const corvend::sandbox::RouteRequest& request) {
                corvend::sandbox::Reply reply;
                if (token && !request.queryItem("session")) {
                    reply.status = 302;
                    reply.headers = {
                        {"Location", request.request.path + "?session=" + std::string(1'500, 's')}};
                    return reply;
                }
                reply.contentType = "text/html";
                reply.body =
                    page + "<p><a href=\"" + request.request.path + "/approve\">Approve</a>";
                return reply;
            });
        const std::string command =
            "printf '%s' " + quoted("configure\nauthenticate\n" + row.input) +
            " | /usr/bin/time -f 'peak: %M KiB' timeout 90 " + quoted(WALLET_CLI_PATH) +
            " --base-url " + quoted(sandbox.baseURL()) + " 2>&1";
        const auto run = corvend::testing::runProgram(command);
        EXPECT_THAT(flowing(run.output), HasSubstr(row.says)) << run.output.substr(0, 4'000);
        EXPECT_THAT(run.output, Not(HasSubstr("bad_alloc")));
        const auto peak = run.output.rfind("peak: ");
        ASSERT_NE(peak, std::string::npos) << run.output;
        const std::size_t bytes = std::stoull(run.output.substr(peak + 6)) << 10;
        EXPECT_LE(bytes, 30 * (page.size() + 60) + (std::size_t{96} << 20));
    }
}
#endif
