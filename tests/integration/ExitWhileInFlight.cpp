// A host that leaves while its calls are in flight, started by ExitWhileInFlight_test:
//
//   corvend_exit_while_in_flight <base-url> <return|exit>
//                                [calls|configure|blocking|fork|lookup|lookups|fork-idle|
//                                 fork-busy|fork-first|fork-storm|fork-held|
//                                 fork-making-wallet|fork-making-queue|fork-making-locale]
//
// With "calls" (the default) it configures the shared wallet against `base-url`, starts
// completion-form calls of every service, writes "started" on standard output and, once a line
// (or the end) comes on standard input, returns from main or calls exit() with whatever is still
// in flight. With "configure" its own threads call blocking forms in a loop while it starts the
// configuration, writes "started" and drives the main queue until told to leave, so that it
// leaves while the configuration runs. With "blocking" its own threads loop on a blocking call
// once it is configured, and it leaves with completion-form calls in flight; a blocking call that
// ends in anything but CancellationError is a failure. With "fork" it forks, as a host that starts
// a helper does, again and again while its calls run (each child's exec fails and it calls exit()),
// then checks that its calls go on. With "lookup" its calls wait on a host name whose lookup never
// ends (this program's own getaddrinfo, below): the configuration, a call whose time-out passes,
// and one that is cancelled while its session's other calls go on. With "fork-idle" and
// "fork-busy" it forks once configured, idle or with calls in flight, and each of the child's
// kit calls (both forms) must throw std::logic_error at once. With "fork-first" it forks before
// its first kit call, as a daemon does, and the child must configure and call as any process
// does. With "fork-storm" its threads call the service accessors and both call forms without
// pause while it forks 500 children (50 under AddressSanitizer), and with "fork-held" it forks
// while a thread of its own holds the facade's service lock (replacing a service of its own whose
// destruction waits), the main queue's lock or the current locale's: in each child the facade,
// the accessors, both forms on a service got before the fork, the main queue got before it and
// the current locale must throw std::logic_error within a second, and the cancel of a call in
// flight at the fork must leave it uncancelled. With "fork-making-..." it forks, before any other
// kit call, while a thread of its own holds the kit's first making open: the making of
// Wallet::instance() (held as its first session reads the environment), or the first call's
// lock of the main queue or of the current locale; the child must be refused at once, then the
// host goes on as with "calls". With "lookups" its threads make a thousand calls to that name, each
// ending as its time-out passes or as it is cancelled, and the host's threads and descriptors stay
// within a fixed bound; then a call to another name (an http base URL's port) gets its reply. The
// test's servers live in the test's process, so only the kit runs here while the process ends.
// Success is status 0 and nothing on standard error.
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
#include <dlfcn.h>
#include <fcntl.h>
#include <netdb.h>
#include <openssl/ssl.h>
#include <poll.h>
#include <pthread.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <functional>
#include <future>
#include <iostream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "CorvendWallet/Cards.hpp"
#include "CorvendWallet/CorvendWallet.hpp"
#include "CorvendWallet/History.hpp"
#include "CorvendWallet/Money.hpp"
#include "CorvendWallet/Profile.hpp"
#include "CorvendWallet/foundation/TaskOperationHandle.hpp"
#include "platform/async/CancellationError.hpp"
#include "platform/async/MainQueue.hpp"
#include "platform/async/Task.hpp"
#include "platform/async/TaskPool.hpp"
#include "platform/foundation/Locale.hpp"
#include "platform/foundation/NeverDestroyed.hpp"
#include "platform/http/URLError.hpp"
#include "platform/http/URLSession.hpp"

namespace {

// The host name whose lookup never ends here, as when the system resolver waits on a DNS server
// that is gone; any other goes to the C library's lookup.
constexpr std::string_view kUnansweredName = "unanswered-lookup.test";
// Answered with the loopback address.
constexpr std::string_view kAnsweredName = "answered-lookup.test";
std::atomic<int> unansweredLookups{0};

std::atomic<bool> forkedChild{false};

// Run by the next secure_getenv() of the thread that sets it, inside it: the kit reads its trusted
// authorities so as it makes the process's first session, which holds that making open.
thread_local std::function<void()>* atNextSecureGetenv = nullptr;

}  // namespace

extern "C" char* secure_getenv(const char* name) noexcept {
    if (auto* hold = std::exchange(atNextSecureGetenv, nullptr)) (*hold)();
    using Read = char* (*)(const char*);
    static const auto read = reinterpret_cast<Read>(::dlsym(RTLD_NEXT, "secure_getenv"));
    return read(name);
}

// A program's own definition comes before the C library's.
extern "C" int getaddrinfo(const char* node, const char* service, const addrinfo* hints,
                           addrinfo** result) {
    if (node != nullptr && node == kUnansweredName) {
        unansweredLookups.fetch_add(1);
        unansweredLookups.notify_all();
        for (;;) ::pause();
    }
    using Lookup = int (*)(const char*, const char*, const addrinfo*, addrinfo**);
    static const auto lookUp = reinterpret_cast<Lookup>(::dlsym(RTLD_NEXT, "getaddrinfo"));
    if (node != nullptr && node == kAnsweredName) node = "127.0.0.1";
    return lookUp(node, service, hints, result);
}

#if defined(__SANITIZE_ADDRESS__)
// A forked child's leak check would count as lost what only its parent's threads, which it does
// not have, still hold; the parent's own check runs as ever.
extern "C" int __lsan_is_turned_off() {
    return forkedChild ? 1 : 0;
}
#endif

namespace {

using corvend::Wallet;

constexpr std::chrono::seconds kConfigureDeadline{10};
constexpr int kRounds = 3;
constexpr int kBusyHostThreads = 8;
constexpr std::chrono::milliseconds kExitWork{50};
constexpr int kBlockingHostThreads = 4;
constexpr int kCompletionCallsAtExit = 40;
constexpr int kForks = 50;
// Far above what each step takes; a step still waiting then is reported.
constexpr std::chrono::seconds kStepDeadline{3};
// A child refused everything answers in milliseconds; one still silent after this long is hung,
// not slow on a loaded machine.
constexpr std::chrono::seconds kRefusedCallsDeadline{30};
constexpr int kForksWithCalls = 4;
constexpr int kStormThreads = 4;
#if defined(__SANITIZE_ADDRESS__)
// Each fork copies the sanitizer's far larger memory map: a fork takes tens of milliseconds.
constexpr int kStormForks = 50;
#else
constexpr int kStormForks = 500;
#endif
// Completion-form calls each storm thread keeps in flight at most.
constexpr int kStormCallsInFlight = 4;

void report(const std::string& what) {
    std::cerr << "exit-while-in-flight: " << what << std::endl;
}

[[noreturn]] void fail(const std::string& why) {
    report(why);
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

// Whether process `child` ended within `deadline` (it is killed if not), and how.
bool endsInTime(pid_t child, int& status,
                std::chrono::milliseconds deadline = std::chrono::milliseconds(kStepDeadline)) {
    // glibc's pidfd_open() lacks C linkage in C++, so the call goes through syscall().
    const int ended = static_cast<int>(::syscall(SYS_pidfd_open, child, 0));
    pollfd gone{ended, POLLIN, 0};
    const bool inTime = ::poll(&gone, 1, static_cast<int>(deadline.count())) == 1;
    if (!inTime) ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
    ::close(ended);
    return inTime;
}

// Whether `call` returned within kStepDeadline; it runs on a thread of its own, left behind if
// it did not.
bool returnsInTime(std::function<void()> call) {
    auto returned = std::make_shared<std::promise<void>>();
    auto done = returned->get_future();
    std::thread([call = std::move(call), returned] {
        call();
        returned->set_value();
    }).detach();
    return done.wait_for(kStepDeadline) == std::future_status::ready;
}

// Forks again and again while the calls run; each child's exec fails and it leaves by exit(),
// which must end it at once. Then a call of the host's own must still succeed.
void forkDuringCalls(Wallet& wallet) {
    startBusyHostThreads(wallet);
    for (int round = 0; round < kRounds; ++round) startRound(wallet);
    int hung = 0;
    for (int i = 0; i < kForks; ++i) {
        const pid_t child = ::fork();
        if (child < 0) fail("no fork");
        if (child == 0) {
            forkedChild = true;
            ::execl("/nonexistent/corvend-helper", "corvend-helper", nullptr);
            std::exit(0);
        }
        int status = 0;
        if (!endsInTime(child, status)) {
            ++hung;
        } else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            report("a forked child ended with status " + std::to_string(status));
        }
    }
    if (hung != 0) {
        report(std::to_string(hung) + " of " + std::to_string(kForks) +
               " forked children did not end in exit()");
    }
    if (!returnsInTime([&wallet] { (void)wallet.profileService()->getAccounts(); })) {
        report("the host's call did not end after its forks");
    }
}

// Forks while `inFlight` rounds of calls are in flight (none: the parent idle). Each child calls
// the kit in both forms and leaves by exit(); each call must throw std::logic_error, within a
// second in all.
void forkAndCallInTheChild(Wallet& wallet, const std::string& baseURL, int inFlight) {
    const Wallet::Configuration configuration("sandbox-config-token", baseURL);
    const auto ignore = [](const auto&) {};
    const std::pair<std::string, std::function<void()>> calls[] = {
        {"configure", [&] { wallet.configure(configuration); }},
        {"configure with a completion", [&] { wallet.configure(configuration, ignore); }},
        {"getAll", [&] { wallet.transferService()->getAll(std::nullopt); }},
        {"getAll with a completion",
         [&] { wallet.transferService()->getAll(std::nullopt, ignore); }},
        {"authenticate", [&] { wallet.authenticate({.accessToken = "child-token"}); }},
    };
    if (inFlight == 0 && !corvend::platform::TaskPool::shared().waitUntilIdle(kStepDeadline)) {
        fail("the kit's pool did not come to rest");
    }
    for (int fork = 0; fork < std::max(1, inFlight); ++fork) {
        if (inFlight != 0) startRound(wallet);
        // The child says on it when its calls have ended; its exit may then take a while (under
        // ThreadSanitizer, a second at least).
        int ended[2];
        if (::pipe2(ended, O_CLOEXEC) != 0) fail("no pipe");
        const pid_t child = ::fork();
        if (child < 0) fail("no fork");
        if (child == 0) {
            forkedChild = true;
            bool refused = true;
            for (const auto& [name, call] : calls) {
                try {
                    call();
                    report(name + " went on in a forked child");
                    refused = false;
                } catch (const std::logic_error& error) {
                    if (!std::string_view(error.what()).contains("fork")) {
                        report(name + " in a forked child: " + error.what());
                    }
                } catch (const std::exception& error) {
                    report(name + " in a forked child failed otherwise: " + error.what());
                    refused = false;
                }
            }
            const char done = '.';
            if (::write(ended[1], &done, 1) != 1) refused = false;
            std::exit(refused ? 0 : 3);
        }
        ::close(ended[1]);
        pollfd said{ended[0], POLLIN, 0};
        const auto deadline = std::chrono::milliseconds(kRefusedCallsDeadline);
        char done = 0;
        if (::poll(&said, 1, static_cast<int>(deadline.count())) != 1 ||
            ::read(ended[0], &done, 1) != 1) {
            report("a forked child's kit calls did not all end within " +
                   std::to_string(kRefusedCallsDeadline.count()) + " s");
        }
        ::close(ended[0]);
        int status = 0;
        if (!endsInTime(child, status)) {
            report("a forked child did not end");
        } else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            report("a forked child ended with status " + std::to_string(status));
        }
    }
}

// In a child: each of the kit's entry points, on the facade, on `service`, on `queue` and on the
// host's `own` service if any (all got before the fork), throws std::logic_error naming the fork,
// and the cancel of `inFlight`, if any, leaves its call uncancelled; true when every one did.
// Says which did not unless `quiet`.
bool refusedInTheChild(Wallet& wallet, corvend::platform::MainQueue& queue,
                       const std::shared_ptr<corvend::TransferService>& service,
                       const std::shared_ptr<corvend::CurrencyExchangeService>& own,
                       const std::shared_ptr<corvend::WalletOperationHandle>& inFlight,
                       bool quiet) {
    const auto ignore = [](const auto&) {};
    std::vector<std::pair<const char*, std::function<void()>>> calls = {
        {"Wallet::instance", [] { (void)Wallet::instance(); }},
        {"an accessor", [&] { (void)wallet.transferService(); }},
        {"another accessor", [&] { (void)wallet.currencyExchangeService(); }},
        {"a setter", [&] { wallet.setCurrencyExchangeService(nullptr); }},
        {"a blocking call", [&] { (void)service->getAll(std::nullopt); }},
        {"a completion-form call", [&] { (void)service->getAll(std::nullopt, ignore); }},
        {"the main queue", [] { (void)corvend::platform::MainQueue::shared(); }},
        {"a post to the main queue", [&] { queue.async([] {}); }},
        {"the current locale", [] { (void)corvend::platform::Locale::current(); }},
    };
    if (own) {
        calls.emplace_back("a blocking call of the host's own service",
                           [&] { (void)own->getQuote("fx-own"); });
        calls.emplace_back("a completion-form call of the host's own service",
                           [&] { (void)own->getQuote("fx-own", ignore); });
    }
    bool refused = true;
    const auto notRefused = [&](const std::string& what) {
        if (!quiet) report(what);
        refused = false;
    };
    for (const auto& [name, call] : calls) {
        try {
            call();
            notRefused(std::string(name) + " went on in a forked child");
        } catch (const std::logic_error& error) {
            if (!std::string_view(error.what()).contains("fork")) {
                notRefused(std::string(name) + " in a forked child: " + error.what());
            }
        } catch (const std::exception& error) {
            notRefused(std::string(name) + " in a forked child failed otherwise: " + error.what());
        }
    }
    if (inFlight) {
        inFlight->cancel();
        if (std::dynamic_pointer_cast<corvend::TaskOperationHandle>(inFlight)
                ->task()
                .isCancelled()) {
            notRefused("the cancel of a call in flight at the fork went on in a forked child");
        }
    }
    return refused;
}

enum class ChildOutcome { refused, wentOn, hung };

// Forks a child that runs `refused` and leaves by _exit, saying its verdict on a pipe; runs
// `meanwhile` in the parent, then waits up to `deadline` for the verdict. A child that said
// nothing in time is killed; either way it is reaped.
ChildOutcome forkAsking(const std::function<bool()>& refused, std::chrono::milliseconds deadline,
                        const std::function<void()>& meanwhile = {}) {
    int said[2];
    if (::pipe2(said, O_CLOEXEC) != 0) fail("no pipe");
    const pid_t child = ::fork();
    if (child < 0) fail("no fork");
    if (child == 0) {
        forkedChild = true;
        const char verdict = refused() ? 'y' : 'n';
        ::_exit(::write(said[1], &verdict, 1) == 1 ? 0 : 3);
    }
    ::close(said[1]);
    if (meanwhile) meanwhile();
    pollfd ready{said[0], POLLIN, 0};
    char verdict = 0;
    const bool inTime = ::poll(&ready, 1, static_cast<int>(deadline.count())) == 1 &&
                        ::read(said[0], &verdict, 1) == 1;
    ::close(said[0]);
    int status = 0;
    if (!inTime) ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
    return !inTime          ? ChildOutcome::hung
           : verdict == 'y' ? ChildOutcome::refused
                            : ChildOutcome::wentOn;
}

// Forks a child that runs refusedInTheChild() and leaves by _exit: whether it said within
// kRefusedCallsDeadline that it was refused everything. One that said nothing is killed.
ChildOutcome forkRefusedChild(Wallet& wallet,
                              const std::shared_ptr<corvend::TransferService>& service,
                              const std::shared_ptr<corvend::CurrencyExchangeService>& own,
                              const std::shared_ptr<corvend::WalletOperationHandle>& inFlight,
                              bool quiet = false) {
    auto& queue = corvend::platform::MainQueue::shared();
    return forkAsking(
        [&] { return refusedInTheChild(wallet, queue, service, own, inFlight, quiet); },
        kRefusedCallsDeadline);
}

// Threads that call every accessor and both forms without pause while this one forks
// kStormForks children; each child must be refused everything at once.
void forkDuringAStorm(Wallet& wallet) {
    auto& queue = corvend::platform::MainQueue::shared();
    const auto service = wallet.transferService();
    std::atomic<bool> stopping{false};
    std::vector<std::thread> threads;
    for (int i = 0; i < kStormThreads; ++i) {
        threads.emplace_back([&wallet, &stopping] {
            const auto inFlight = std::make_shared<std::atomic<int>>(0);
            while (!stopping) {
                (void)wallet.currencyExchangeService();
                (void)wallet.depositService();
                (void)wallet.withdrawalService();
                (void)wallet.cardService();
                (void)wallet.paymentInstrumentService();
                (void)wallet.profileService();
                (void)wallet.customerVerificationService();
                (void)wallet.transactionHistoryService();
                (void)wallet.authorizationHistory();
                try {
                    (void)wallet.transferService()->getAll(std::nullopt);
                } catch (const std::exception& error) {
                    fail(std::string("a blocking call failed: ") + error.what());
                }
                if (*inFlight < kStormCallsInFlight) {
                    ++*inFlight;
                    wallet.transferService()->getAll(std::nullopt,
                                                     [inFlight](const auto&) { --*inFlight; });
                }
            }
        });
    }
    int hung = 0;
    int wentOn = 0;
    for (int i = 0; i < kStormForks; ++i) {
        const ChildOutcome outcome = forkRefusedChild(wallet, service, nullptr, nullptr, true);
        hung += outcome == ChildOutcome::hung ? 1 : 0;
        wentOn += outcome == ChildOutcome::wentOn ? 1 : 0;
        queue.drain();
    }
    stopping = true;
    for (auto& thread : threads) thread.join();
    if (hung != 0 || wentOn != 0) {
        report("of " + std::to_string(kStormForks) + " children of a busy host, " +
               std::to_string(hung) + " hung and " + std::to_string(wentOn) +
               " were not refused every call");
    }
}

// A host's own exchange service, which must never run in a forked child. Its destruction runs
// `destroyed` and its quotes run `quoting` before they fail, when given.
class HostService final : public corvend::CurrencyExchangeService {
  public:
    explicit HostService(std::function<void()> destroyed = {}, std::function<void()> quoting = {})
        : destroyed_(std::move(destroyed)), quoting_(std::move(quoting)) {}
    ~HostService() override {
        if (destroyed_) destroyed_();
    }

  private:
    Wallet::FXRate doGetQuote(const std::string&) override {
        if (quoting_) quoting_();
        throw std::runtime_error("the host's own quote ran");
    }
    Wallet::FXRate doCreateQuote(const Wallet::FXRateRequest&) override {
        throw std::runtime_error("the host's own quote ran");
    }

    std::function<void()> destroyed_;
    std::function<void()> quoting_;
};

// Sets `stage` to `to` and wakes its waiters.
void advance(std::atomic<int>& stage, int to) {
    stage = to;
    stage.notify_all();
}

// Waits until `stage` is `to`.
void awaitStage(const std::atomic<int>& stage, int to) {
    for (int seen = stage; seen != to; seen = stage) stage.wait(seen);
}

// Forks while a thread of this host holds one of the kit's locks, with a call of the host's own
// service in flight: each child is refused, and its cancel of that call does nothing.
void forkWhileALockIsHeld(Wallet& wallet) {
    using WhileHeld = std::function<void()>;
    const std::pair<std::string, std::function<void(const WhileHeld&)>> locks[] = {
        // Replacing a service whose destruction waits holds the facade's lock of that service.
        {"a service lock",
         [&wallet](const WhileHeld& whileHeld) {
             wallet.setCurrencyExchangeService(std::make_shared<HostService>(whileHeld));
             wallet.setCurrencyExchangeService(nullptr);
         }},
        {"the main queue's lock",
         [](const WhileHeld& whileHeld) {
             corvend::platform::MainQueue::shared().holdLockForTesting(whileHeld);
         }},
        {"the current locale's lock",
         [](const WhileHeld& whileHeld) {
             corvend::platform::Locale::holdLockForTesting(whileHeld);
         }},
    };
    const auto quoted = std::make_shared<std::atomic<int>>(0);
    const auto quoting =
        std::make_shared<HostService>(WhileHeld{}, [quoted] { awaitStage(*quoted, 1); });
    const auto inFlight = quoting->getQuote("fx-held", [](const auto&) {});
    for (const auto& [name, hold] : locks) {
        std::atomic<int> stage{0};
        std::thread holding([&stage, &hold] {
            hold([&stage] {
                advance(stage, 1);
                awaitStage(stage, 2);
            });
        });
        awaitStage(stage, 1);
        const bool refused =
            forkRefusedChild(wallet, wallet.transferService(), std::make_shared<HostService>(),
                             inFlight) == ChildOutcome::refused;
        advance(stage, 2);
        holding.join();
        if (!refused)
            report("the child of a fork made while " + name + " was held was not refused");
    }
    advance(*quoted, 1);
}

// Forks while a thread of this host holds the kit's first making open (`what`: "wallet", the
// making of Wallet::instance(); "queue" or "locale", the lock of the first call): before any lock
// or guard, the child is refused every entry point, the one held included. The bounded wait only
// keeps a hung child from hanging the host.
void forkWhileTheKitIsFirstMade(std::string_view what) {
    std::atomic<int> stage{0};
    std::function<void()> whileHeld = [&stage] {
        advance(stage, 1);
        awaitStage(stage, 2);
    };
    bool missed = false;
    std::thread making([&] {
        if (what == "wallet") {
            atNextSecureGetenv = &whileHeld;
            (void)Wallet::instance();
        } else if (what == "queue") {
            corvend::platform::MainQueue::shared().holdLockForTesting(whileHeld);
        } else {
            corvend::platform::Locale::holdLockForTesting(whileHeld);
        }
        if (stage == 0) {
            missed = true;
            advance(stage, 1);
        }
    });
    awaitStage(stage, 1);
    if (missed) {
        making.join();
        fail("the making of Wallet::instance() read no environment");
    }
    const ChildOutcome outcome = forkAsking(
        [] {
            const std::pair<const char*, std::function<void()>> calls[] = {
                {"Wallet::instance", [] { (void)Wallet::instance(); }},
                {"a post to the main queue",
                 [] { corvend::platform::MainQueue::shared().async([] {}); }},
                {"the current locale", [] { (void)corvend::platform::Locale::current(); }},
            };
            bool refused = true;
            for (const auto& [name, call] : calls) {
                try {
                    call();
                    report(std::string(name) + " went on in a child forked while the kit was made");
                    refused = false;
                } catch (const std::logic_error& error) {
                    if (!std::string_view(error.what()).contains("fork")) {
                        report(std::string(name) + " in a forked child: " + error.what());
                        refused = false;
                    }
                }
            }
            return refused;
        },
        kConfigureDeadline,
        [&] {
            advance(stage, 2);
            making.join();
        });
    if (outcome == ChildOutcome::hung) {
        report("a child forked while " + std::string(what) + " was first made hung");
    } else if (outcome != ChildOutcome::refused) {
        report("a child forked while " + std::string(what) + " was first made was not refused");
    }
}

// The calls wait on a lookup that never ends: the configuration (its time-out far off), a call
// whose time-out passes, and one cancelled while its session's other calls go on. Each names
// its own port, so that each waits on a lookup of its own (those of one name and port are
// shared).
void leaveDuringLookups(Wallet& wallet, const std::string& baseURL) {
    using namespace corvend::platform;
    const auto unansweredAt = [](std::string_view port) {
        return "https://" + std::string(kUnansweredName) + std::string(port) + "/";
    };
    const std::string unanswered = unansweredAt("");
    wallet.configure(Wallet::Configuration("sandbox-config-token", unanswered), [](const auto&) {
        report("the configuration ended though its lookup never does");
    });

    auto timed = URLRequest(*URL::make(unansweredAt(":8443")));
    timed.setTimeoutInterval(URLRequest::Seconds(0.2));
    const bool timedOut = returnsInTime([request = std::move(timed)] {
        try {
            URLSession::make()->data(request);
            report("a reply came without a lookup");
        } catch (const URLError& error) {
            if (error.code() != URLError::Code::timedOut ||
                !error.description().contains("no connection made within its time-out"))
                report("timed call: " + error.description());
        }
    });
    if (!timedOut) report("a call whose time-out passed in its lookup did not end");

    // Kept to the end of the process, as the configuration's sessions are.
    static const NeverDestroyed<std::shared_ptr<URLSession>> shared(URLSession::make());
    const auto reply = [baseURL] { (void)(*shared)->data(URLRequest(*URL::make(baseURL))); };
    auto cancelled = std::make_shared<std::promise<void>>();
    auto cancelledEnded = cancelled->get_future();
    const auto inLookup = Task<void>::detached([unanswered = unansweredAt(":9443"), cancelled] {
        try {
            (*shared)->data(URLRequest(*URL::make(unanswered)));
        } catch (const CancellationError&) {
        }
        cancelled->set_value();
    });
    for (int seen = unansweredLookups.load(); seen < 3; seen = unansweredLookups.load()) {
        unansweredLookups.wait(seen);
    }
    if (!returnsInTime(reply)) report("the session's call did not end beside one in lookup");
    inLookup.cancel();
    if (cancelledEnded.wait_for(kStepDeadline) != std::future_status::ready) {
        report("a call cancelled in its lookup did not end");
    }
    if (!returnsInTime(reply)) report("the session's calls stopped after a cancel in lookup");
}

// Entries of a /proc directory of this process: its threads or its descriptors.
std::size_t entriesOf(const std::filesystem::path& directory) {
    const auto entries = std::filesystem::directory_iterator(directory);
    return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
}

// Calls to names whose lookups never end (three ports of one name), from several threads, each
// ending as its time-out passes or as its task is cancelled: the host's threads and descriptors
// stay within a fixed bound of where they were, and a call to another name still gets its reply.
void callDuringUnansweredLookups(const std::string& baseURL) {
    using namespace corvend::platform;
    constexpr int kCallers = 4;
    constexpr int kRoundsEach = 125;  // two calls a round: 1,000 calls
    // The callers, their tasks, the lookups and a session's connection, with room to spare.
    constexpr std::size_t kSlack = 24;
    const std::string answered =
        "http://" + std::string(kAnsweredName) + baseURL.substr(baseURL.rfind(':'));
    const auto session = URLSession::make();
    const auto answers = [&session, &answered] {
        try {
            (void)session->data(URLRequest(*URL::make(answered)));
            return true;
        } catch (const std::exception& error) {
            report(std::string("a call to an answered name: ") + error.what());
            return false;
        }
    };
    if (!answers()) return;
    const std::size_t threadsBefore = entriesOf("/proc/self/task");
    const std::size_t descriptorsBefore = entriesOf("/proc/self/fd");
    std::atomic<std::size_t> mostThreads{0};
    std::atomic<std::size_t> mostDescriptors{0};
    std::vector<std::thread> callers;
    for (int caller = 0; caller < kCallers; ++caller) {
        callers.emplace_back([&, caller] {
            for (int round = 0; round < kRoundsEach; ++round) {
                const auto unanswered = *URL::make("http://" + std::string(kUnansweredName) + ":" +
                                                   std::to_string(81 + (caller + round) % 3) + "/");
                URLRequest timed(unanswered);
                timed.setTimeoutInterval(URLRequest::Seconds(0.01));
                try {
                    (void)session->data(timed);
                    report("a reply came without a lookup");
                } catch (const URLError& error) {
                    if (error.code() != URLError::Code::timedOut) report(error.description());
                }
                std::promise<void> ended;
                auto cancelled = Task<void>::detached([&session, &unanswered, &ended] {
                    try {
                        (void)session->data(URLRequest(unanswered));
                        report("a reply came without a lookup");
                    } catch (const CancellationError&) {
                    } catch (const std::exception& error) {
                        report(std::string("a cancelled call: ") + error.what());
                    }
                    ended.set_value();
                });
                cancelled.cancel();
                if (ended.get_future().wait_for(kStepDeadline) != std::future_status::ready) {
                    fail("a call cancelled in its lookup did not end");
                }
                mostThreads = std::max(mostThreads.load(), entriesOf("/proc/self/task"));
                mostDescriptors = std::max(mostDescriptors.load(), entriesOf("/proc/self/fd"));
            }
        });
    }
    for (auto& caller : callers) caller.join();
    if (mostThreads > threadsBefore + kSlack || mostDescriptors > descriptorsBefore + kSlack) {
        report("threads " + std::to_string(threadsBefore) + " to " +
               std::to_string(mostThreads.load()) + ", descriptors " +
               std::to_string(descriptorsBefore) + " to " + std::to_string(mostDescriptors.load()));
    }
    if (!returnsInTime(answers)) report("a call to an answered name did not end");
}

}  // namespace

// Configures the shared wallet against `baseURL` and signs in, driving the main queue meanwhile.
void configureAndSignIn(Wallet& wallet, const char* baseURL) {
    bool configured = false;
    wallet.configure(
        Wallet::Configuration("sandbox-config-token", baseURL),
        [&](std::expected<Wallet::ConfigurationResult, Wallet::ConfigurationError> result) {
            if (!result) fail("configure: " + result.error().errorDescription());
            configured = true;
        });
    if (!corvend::platform::MainQueue::shared().runUntil([&] { return configured; },
                                                         kConfigureDeadline)) {
        fail("configure hung");
    }
    wallet.authenticate({.accessToken = "exit-access-token"});
}

// A daemon's child, forked before the kit's first call: it configures and calls as any process.
void forkBeforeTheFirstCall(const char* baseURL) {
    const pid_t child = ::fork();
    if (child < 0) fail("no fork");
    if (child == 0) {
        auto& queue = corvend::platform::MainQueue::shared();
        queue.drain();
        auto& wallet = Wallet::instance();
        configureAndSignIn(wallet, baseURL);
        std::optional<bool> called;
        wallet.profileService()->getAccounts(
            [&](const auto& result) { called = result.has_value(); });
        if (!queue.runUntil([&] { return called.has_value(); }, kStepDeadline) || !*called) {
            fail("a call of the child of a fork made before the kit's first call failed");
        }
        std::exit(0);
    }
    int status = 0;
    if (!endsInTime(child, status, kConfigureDeadline + kStepDeadline)) {
        report("the child of a fork made before the kit's first call did not end");
    } else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        report("the child of a fork made before the kit's first call ended with status " +
               std::to_string(status));
    }
}

int main(int argc, char** argv) {
    const auto argument = [&](int i) { return std::string_view(i < argc ? argv[i] : ""); };
    const std::string_view mode = argc > 3 ? argument(3) : "calls";
    constexpr std::string_view kModes[] = {"calls",
                                           "configure",
                                           "blocking",
                                           "fork",
                                           "lookup",
                                           "lookups",
                                           "fork-idle",
                                           "fork-busy",
                                           "fork-first",
                                           "fork-storm",
                                           "fork-held",
                                           "fork-making-wallet",
                                           "fork-making-queue",
                                           "fork-making-locale"};
    if (argc < 3 || argc > 4 || (argument(2) != "return" && argument(2) != "exit") ||
        std::ranges::find(kModes, mode) == std::end(kModes)) {
        fail(
            "usage: corvend_exit_while_in_flight <base-url> <return|exit> "
            "[calls|configure|blocking|fork|lookup|lookups|fork-idle|fork-busy|fork-first|"
            "fork-storm|fork-held|fork-making-wallet|fork-making-queue|fork-making-locale]");
    }
    if (mode == "fork-first") forkBeforeTheFirstCall(argv[1]);
    if (mode.starts_with("fork-making-")) {
        forkWhileTheKitIsFirstMade(mode.substr(std::string_view("fork-making-").size()));
    }
    const bool viaExit = argument(2) == "exit";
    const bool setUpFirst = hostSetUp().ends_with("-first") || hostSetUp() == "own-transfers";
    if (setUpFirst) setUpLibcurlOrOpenSSL();
    if (hostSetUp() == "own-transfers") startOwnTransfers(argv[1]);

    auto& queue = corvend::platform::MainQueue::shared();
    queue.drain();  // this thread becomes the main thread
    if (mode == "lookups") {
        callDuringUnansweredLookups(argv[1]);
        std::cout << "started" << std::endl;
        std::string line;
        std::getline(std::cin, line);
        if (viaExit) std::exit(0);
        return 0;
    }
    auto& wallet = Wallet::instance();
    if (mode == "configure" || mode == "lookup") {
        if (mode == "configure") {
            leaveDuringConfigure(wallet, argv[1]);
        } else {
            // The configuration needs the main queue, driven here while the calls are made.
            const auto made = std::make_shared<std::atomic<bool>>(false);
            std::thread([&wallet, baseURL = std::string(argv[1]), made] {
                leaveDuringLookups(wallet, baseURL);
                *made = true;
            }).detach();
            if (!queue.runUntil([&] { return made->load(); }, 4 * kStepDeadline)) {
                report("the calls in lookup were not all made");
            }
            std::cout << "started" << std::endl;
            std::string line;
            std::getline(std::cin, line);
        }
        if (viaExit) std::exit(0);
        return 0;
    }
    configureAndSignIn(wallet, argv[1]);
    if (hostSetUp().ends_with("-after")) setUpLibcurlOrOpenSSL();

    if (mode == "blocking") {
        startBlockingCallers(wallet);
        for (int i = 0; i < kCompletionCallsAtExit; ++i) {
            wallet.transferService()->getAll(std::nullopt, [](const auto&) {});
        }
    } else if (mode == "fork") {
        forkDuringCalls(wallet);
    } else if (mode == "fork-storm") {
        forkDuringAStorm(wallet);
    } else if (mode == "fork-held") {
        forkWhileALockIsHeld(wallet);
    } else if (mode == "fork-idle" || mode == "fork-busy") {
        forkAndCallInTheChild(wallet, argv[1], mode == "fork-busy" ? kForksWithCalls : 0);
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
