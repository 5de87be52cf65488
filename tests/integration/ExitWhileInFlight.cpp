// A host that leaves while its calls are in flight, started by ExitWhileInFlight_test:
//
//   corvend_exit_while_in_flight <base-url> <return|exit> [calls|configure|blocking]
//
// With "calls" (the default) it configures the shared wallet against `base-url`, starts
// completion-form calls of every service, writes "started" on standard output and, once a line
// (or the end) comes on standard input, returns from main or calls exit() with whatever is still
// in flight. With "configure" its own threads call blocking forms in a loop while it starts the
// configuration, writes "started" and drives the main queue until told to leave, so that it
// leaves while the configuration runs. With "blocking" its own threads loop on a blocking call
// once it is configured, and it leaves with completion-form calls in flight; a blocking call that
// ends in anything but CancellationError is a failure. The test's servers live in the test's
// process, so only the kit runs here while the process ends. Success is status 0 and nothing on
// standard error.
//
// CORVEND_EXIT_HOST_SET_UP says what the host does itself with libcurl and OpenSSL, as hosts do:
//   curl-first, openssl-first    curl_global_init(CURL_GLOBAL_DEFAULT) or OPENSSL_init_ssl(0, ...)
//                                at the top of main, before the kit's first use
//   curl-after, openssl-after    the same once the kit has made its first session
//   openssl-before-main          OPENSSL_init_ssl(0, ...) before main, ahead of the kit's set-up
//   own-transfers                curl_global_init first, then libcurl transfers of its own to
//                                the base URL, on threads of its own, until the process ends
// A libcurl host calls curl_global_cleanup() before it returns from main, as libcurl asks.

#include <curl/curl.h>
#include <openssl/ssl.h>
#include <pthread.h>

#include <chrono>
#include <cstdlib>
#include <exception>
#include <future>
#include <iostream>
#include <memory>
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
constexpr int kBusyHostThreads = 8;
constexpr std::chrono::milliseconds kExitWork{50};
constexpr int kBlockingHostThreads = 4;
constexpr int kCompletionCallsAtExit = 40;

[[noreturn]] void fail(const std::string& why) {
    std::cerr << "exit-while-in-flight: " << why << std::endl;
    std::_Exit(2);
}

std::string_view hostSetUp() {
    const char* named = std::getenv("CORVEND_EXIT_HOST_SET_UP");
    return named != nullptr ? named : "";
}

// A host's own static initializer, or a library it links, runs ahead of the kit's.
[[maybe_unused]] const bool kOpenSSLSetUpBeforeMain =
    hostSetUp() == "openssl-before-main" && OPENSSL_init_ssl(0, nullptr) == 1;

bool usesLibcurl() {
    return hostSetUp() == "curl-first" || hostSetUp() == "curl-after" ||
           hostSetUp() == "own-transfers";
}

void setUpLibcurlOrOpenSSL() {
    if (usesLibcurl() && curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) fail("curl set-up");
    if (hostSetUp().starts_with("openssl-") && OPENSSL_init_ssl(0, nullptr) != 1) {
        fail("OpenSSL set-up");
    }
}

// One transfer to `baseURL` on a fresh connection, with its handshake; true when it succeeded.
bool ownTransfer(const std::string& baseURL) {
    CURL* easy = curl_easy_init();
    if (easy == nullptr) return false;
    curl_easy_setopt(easy, CURLOPT_URL, baseURL.c_str());
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(
        easy, CURLOPT_WRITEFUNCTION,
        +[](char*, size_t size, size_t count, void*) { return size * count; });
    if (const char* authorities = std::getenv("SSL_CERT_FILE")) {
        curl_easy_setopt(easy, CURLOPT_CAINFO, authorities);
    }
    const bool done = curl_easy_perform(easy) == CURLE_OK;
    curl_easy_cleanup(easy);
    return done;
}

// The host's own transfers, one after the other on each of its threads, until the process ends.
void startOwnTransfers(const std::string& baseURL) {
    if (!ownTransfer(baseURL)) fail("the host's own transfer failed");
    for (int i = 0; i < 2; ++i) {
        std::thread([baseURL] {
            for (;;) ownTransfer(baseURL);
        }).detach();
    }
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

// The host's own threads: blocking calls, one after the other, until the process ends, each on
// a thread of its own, so that each reply is the first its thread decodes. Before the
// configuration they fail at once; after it, the service's replies are decoded.
void startBusyHostThreads(Wallet& wallet) {
    for (int i = 0; i < kBusyHostThreads; ++i) {
        std::thread([&wallet] {
            for (;;) {
                struct Call {
                    Wallet& wallet;
                    std::promise<void> ended;
                };
                auto call = std::make_unique<Call>(Call{wallet, {}});
                auto ended = call->ended.get_future();
                // Detached from its start: one still to be detached or joined when the process
                // ends counts as leaked to ThreadSanitizer.
                pthread_attr_t detached;
                pthread_attr_init(&detached);
                pthread_attr_setdetachstate(&detached, PTHREAD_CREATE_DETACHED);
                pthread_t thread;
                const int started = pthread_create(
                    &thread, &detached,
                    [](void* argument) -> void* {
                        const std::unique_ptr<Call> call(static_cast<Call*>(argument));
                        try {
                            call->wallet.profileService()->getAccounts();
                        } catch (const std::exception&) {
                        }
                        call->ended.set_value();
                        return nullptr;
                    },
                    call.get());
                pthread_attr_destroy(&detached);
                if (started != 0) fail("no thread for a call");
                (void)call.release();  // the thread's now
                ended.wait();
            }
        }).detach();
    }
}

// Starts the configuration and drives the main queue (which it needs) until standard input
// says to leave.
void leaveDuringConfigure(Wallet& wallet, const char* baseURL) {
    // Its exit takes a while, as a host's that writes its state out does; registered first, this
    // runs after whatever the kit registers, while the host's threads go on.
    std::atexit([] { std::this_thread::sleep_for(kExitWork); });
    auto& queue = corvend::platform::MainQueue::shared();
    startBusyHostThreads(wallet);
    // Signed in once configured (a configuration drops the token), so the calls reach the service.
    wallet.configure(
        Wallet::Configuration("sandbox-config-token", baseURL),
        [&wallet](const auto&) { wallet.authenticate({.accessToken = "exit-access-token"}); });
    std::cout << "started" << std::endl;
    std::thread([&queue] {
        std::string line;
        std::getline(std::cin, line);
        queue.async([&queue] { queue.stop(); });
    }).detach();
    queue.run();
}

// Host threads that loop on a blocking call; the first call that fails other than by being
// cancelled ends the process with what it threw.
void startBlockingCallers(Wallet& wallet) {
    for (int i = 0; i < kBlockingHostThreads; ++i) {
        std::thread([&wallet] {
            for (;;) {
                try {
                    wallet.transferService()->getAll(std::nullopt);
                } catch (const Wallet::CancellationError&) {
                } catch (const std::exception& error) {
                    fail(std::string("a blocking call failed: ") + error.what());
                }
            }
        }).detach();
    }
}

}  // namespace

int main(int argc, char** argv) {
    const auto argument = [&](int i) { return std::string_view(i < argc ? argv[i] : ""); };
    const std::string_view mode = argc > 3 ? argument(3) : "calls";
    if (argc < 3 || argc > 4 || (argument(2) != "return" && argument(2) != "exit") ||
        (mode != "calls" && mode != "configure" && mode != "blocking")) {
        fail(
            "usage: corvend_exit_while_in_flight <base-url> <return|exit> "
            "[calls|configure|blocking]");
    }
    const bool viaExit = argument(2) == "exit";
    const bool setUpFirst = hostSetUp().ends_with("-first") || hostSetUp() == "own-transfers";
    if (setUpFirst) setUpLibcurlOrOpenSSL();
    if (hostSetUp() == "own-transfers") startOwnTransfers(argv[1]);

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
    if (hostSetUp().ends_with("-after")) setUpLibcurlOrOpenSSL();

    if (mode == "blocking") {
        startBlockingCallers(wallet);
        for (int i = 0; i < kCompletionCallsAtExit; ++i) {
            wallet.transferService()->getAll(std::nullopt, [](const auto&) {});
        }
    } else {
        for (int round = 0; round < kRounds; ++round) startRound(wallet);
    }
    std::cout << "started" << std::endl;
    std::string line;
    std::getline(std::cin, line);

    if (viaExit) std::exit(0);
    if (usesLibcurl()) curl_global_cleanup();
    return 0;
}
