// A host that leaves while its calls are in flight, started by ExitWhileInFlight_test:
//
//   corvend_exit_while_in_flight <base-url> <return|exit> [calls|configure]
//
// With "calls" (the default) it configures the shared wallet against `base-url`, starts
// completion-form calls of every service, writes "started" on standard output and, once a line
// (or the end) comes on standard input, returns from main or calls exit() with whatever is still
// in flight. With "configure" its own threads call blocking forms in a loop while it starts the
// configuration, writes "started" and drives the main queue until told to leave, so that it
// leaves while the configuration runs. The test's servers live in the test's process, so only the
// kit runs here while the process ends. Success is status 0 and nothing on standard error.

#include <chrono>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>
#include <string_view>
#include <thread>

#include "CorvendWallet/Cards.hpp"
#include "CorvendWallet/CorvendWallet.hpp"
#include "CorvendWallet/History.hpp"
#include "CorvendWallet/Money.hpp"
#include "CorvendWallet/Profile.hpp"
#include "platform/async/MainQueue.hpp"

namespace {

using corvend::Wallet;

constexpr std::chrono::seconds kConfigureDeadline{10};
constexpr int kRounds = 3;
constexpr int kBusyHostThreads = 4;

[[noreturn]] void fail(const std::string& why) {
    std::cerr << "exit-while-in-flight: " << why << std::endl;
    std::_Exit(2);
}

// One completion-form call of each of the services' reads; the completions do nothing, as
// they may never run.
void startRound(Wallet& wallet) {
    const auto ignore = [](const auto&) {};
    wallet.depositService()->getOptions(ignore);
    wallet.depositService()->getAll(std::nullopt, ignore);
    wallet.depositService()->get("dep-missing", ignore);
    wallet.withdrawalService()->getOptions(ignore);
    wallet.withdrawalService()->getAll(std::nullopt, ignore);
    wallet.transferService()->getAll(std::nullopt, ignore);
    wallet.transferService()->get("trf-missing", ignore);
    wallet.currencyExchangeService()->getQuote("fx-missing", ignore);
    wallet.cardService()->getPrograms(ignore);
    wallet.cardService()->getAll(ignore);
    wallet.profileService()->getProfile({}, ignore);
    wallet.profileService()->getAccounts(ignore);
    wallet.profileService()->getSingleAccount("acc-missing", ignore);
    wallet.transactionHistoryService()->getTransactionHistory(std::nullopt, ignore);
    wallet.transactionHistoryService()->getTransaction("txn-missing", ignore);
    wallet.authorizationHistory()->getAuthorizationHistory(ignore);
    wallet.authorizationHistory()->getAuthorization("auth-missing", ignore);
}

// The host's own threads: blocking calls, one after the other, until the process ends. Before
// the configuration they fail at once; after it, on the service's refusal, decoded.
void startBusyHostThreads(Wallet& wallet) {
    for (int i = 0; i < kBusyHostThreads; ++i) {
        std::thread([&wallet] {
            for (;;) {
                try {
                    wallet.profileService()->getAccounts();
                } catch (const std::exception&) {
                }
            }
        }).detach();
    }
}

// Starts the configuration and drives the main queue (which it needs) until standard input
// says to leave.
void leaveDuringConfigure(Wallet& wallet, const char* baseURL) {
    auto& queue = corvend::platform::MainQueue::shared();
    startBusyHostThreads(wallet);
    wallet.configure(Wallet::Configuration("sandbox-config-token", baseURL), [](const auto&) {});
    std::cout << "started" << std::endl;
    std::thread([&queue] {
        std::string line;
        std::getline(std::cin, line);
        queue.async([&queue] { queue.stop(); });
    }).detach();
    queue.run();
}

}  // namespace

int main(int argc, char** argv) {
    const auto argument = [&](int i) { return std::string_view(i < argc ? argv[i] : ""); };
    const std::string_view mode = argc > 3 ? argument(3) : "calls";
    if (argc < 3 || argc > 4 || (argument(2) != "return" && argument(2) != "exit") ||
        (mode != "calls" && mode != "configure")) {
        fail("usage: corvend_exit_while_in_flight <base-url> <return|exit> [calls|configure]");
    }
    const bool viaExit = argument(2) == "exit";

    auto& queue = corvend::platform::MainQueue::shared();
    queue.drain();  // this thread becomes the main thread
    auto& wallet = Wallet::instance();
    if (mode == "configure") {
        leaveDuringConfigure(wallet, argv[1]);
        if (viaExit) std::exit(0);
        return 0;
    }
    bool configured = false;
    wallet.configure(
        Wallet::Configuration("sandbox-config-token", argv[1]),
        [&](std::expected<Wallet::ConfigurationResult, Wallet::ConfigurationError> result) {
            if (!result) fail("configure: " + result.error().errorDescription());
            configured = true;
        });
    if (!queue.runUntil([&] { return configured; }, kConfigureDeadline)) fail("configure hung");
    wallet.authenticate({.accessToken = "exit-access-token"});

    for (int round = 0; round < kRounds; ++round) startRound(wallet);
    std::cout << "started" << std::endl;
    std::string line;
    std::getline(std::cin, line);

    if (viaExit) std::exit(0);
    return 0;
}
