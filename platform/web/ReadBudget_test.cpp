#include "platform/web/ReadBudget.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/async/CancellationError.hpp"
#include "platform/async/CancellationToken.hpp"
#include "platform/http/URLError.hpp"
#include "platform/web/WebPage.hpp"
#include "tests/support/SecondPageReader.hpp"

namespace corvend::platform::web {
namespace {
// A namespace of its own: a unity build compiles this file together with the other web tests.
namespace stops {

using namespace std::chrono_literals;
using std::chrono::nanoseconds;

nanoseconds cpuTime(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return std::chrono::seconds(now.tv_sec) + nanoseconds(now.tv_nsec);
}

std::string pageOf(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

// Text under 30,000 open elements: minutes of the parser's work, no allocation for seconds.
[[maybe_unused]] std::string endlessPage() {
    return pageOf("<span>", 30'000) + "<b>" + std::string(std::size_t{3} << 20, 't');
}

WebPage::Limits within(const std::string& html, nanoseconds cpuTime) {
    auto limits = WebPage::limitsFor(html.size());
    limits.cpuTime = cpuTime;
    return limits;
}

std::function<void()> reading(const std::string& html, nanoseconds cpuTime) {
    return [&html, cpuTime] {
        WebPage::parse(*URL::make("https://issuer.example/"), 200, html, within(html, cpuTime));
    };
}

// A host's timer on the calling thread's CPU clock: `signal` at `first`, then at each `every`.
class HostCPUTimer {
  public:
    HostCPUTimer(int signal, timespec first, timespec every = {}) {
        sigevent event{};
        event.sigev_notify = SIGEV_THREAD_ID;
        event.sigev_signo = signal;
        event._sigev_un._tid = gettid();
        timer_create(CLOCK_THREAD_CPUTIME_ID, &event, &timer_);
        const itimerspec at{every, first};
        timer_settime(timer_, 0, &at, nullptr);
    }
    ~HostCPUTimer() { timer_delete(timer_); }
    HostCPUTimer(const HostCPUTimer&) = delete;
    HostCPUTimer& operator=(const HostCPUTimer&) = delete;

  private:
    timer_t timer_{};
};

enum class Ended { read, cancelled, cpuTime, other };

struct Outcome {
    Ended ended = Ended::other;
    std::string what;     // the URLError's description
    nanoseconds spent{};  // the read's CPU time
};

// One thread that runs reads one after the other, each watched from the calling thread.
class Reader {
  public:
    Reader() { pthread_getcpuclockid(thread_.native_handle(), &clock_); }
    ~Reader() {
        quit_ = true;
        pending_ = true;
        pending_.notify_one();
        thread_.join();
    }
    pthread_t thread() { return thread_.native_handle(); }

    // Runs `read` under `source`'s token, calling `watch` with the CPU time it has spent until it
    // ends. One that spends more than `most`, or whose thread spends none in 10 s (it waits on a
    // lock a stop left held), ends the process: it would never end.
    Outcome read(
        std::function<void()> read, const CancellationSource& source, nanoseconds most,
        const std::function<void(nanoseconds)>& watch = [](nanoseconds) {}) {
        Outcome outcome;
        job_ = [&] {
            const CancellationScope scope(source.token());
            try {
                read();
                outcome.ended = Ended::read;
            } catch (const CancellationError&) {
                outcome.ended = Ended::cancelled;
            } catch (const URLError& error) {
                outcome.what = error.description();
                if (outcome.what.ends_with(" s of CPU time to read"))
                    outcome.ended = Ended::cpuTime;
            }
        };
        const nanoseconds start = cpuTime(clock_);
        nanoseconds last{};
        auto moved = std::chrono::steady_clock::now();
        pending_ = true;
        pending_.notify_one();
        while (pending_) {
            const nanoseconds spent = cpuTime(clock_) - start;
            if (spent != last) moved = std::chrono::steady_clock::now();
            last = spent;
            const bool stuck = std::chrono::steady_clock::now() - moved > 10s;
            if (stuck || spent > most) {
                std::fprintf(stderr, "FAILED: a read %s, after %.2f s of its CPU time\n",
                             stuck ? "hangs (its thread idle for 10 s)" : "goes on past its stop",
                             std::chrono::duration<double>(spent).count());
                std::_Exit(1);
            }
            watch(spent);
            std::this_thread::sleep_for(100us);
        }
        outcome.spent = cpuTime(clock_) - start;
        return outcome;
    }

  private:
    void run() {
        for (pending_.wait(false); !quit_; pending_.wait(false)) {
            job_();
            pending_ = false;
        }
    }

    std::function<void()> job_;
    std::atomic<bool> pending_{false};
    std::atomic<bool> quit_{false};
    clockid_t clock_{};
    std::thread thread_{[this] { run(); }};
};

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
std::size_t residentBytes() {
    std::ifstream statm("/proc/self/statm");
    std::size_t size = 0;
    std::size_t resident = 0;
    statm >> size >> resident;
    return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}
#endif

// Reads stopped anywhere, the C library's allocator included, whose lock a stop must never leave
// held: every read ends, says why, and gives back all it held.
TEST(ReadBudgetTest, ReadsStoppedAnywhereEndAndGiveBackAllTheyHeld) {
    // Attribute values and texts the parser grows block by block, freeing each smaller one:
    // blocks of 1 KiB to 3 KiB, or up to 1 MiB in every 25th read.
    std::string small;
    for (int i = 0; i < 40; ++i) {
        const std::string text(650 + 29 * i, 'v');
        small += "<p title='" + text + "'>" + text;
    }
    const std::string large = "<p title='" + std::string(600'000, 'v') + "'>" + small;
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    constexpr int kReads = 800;  // each read takes several times as long
#else
    // A stop lands in the C library's free() about once in a thousand.
    constexpr int kReads = 8'000;
#endif
    Reader reader;
    const nanoseconds whole[] = {reader.read(reading(small, 1h), {}, 60s).spent,
                                 reader.read(reading(large, 1h), {}, 60s).spent};
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
    const std::size_t before = residentBytes();
#endif
    std::mt19937 random(1);
    for (int i = 0; i < kReads; ++i) {
        // Mostly the CPU time, which is met at the scheduler's tick after a random small limit.
        const bool cancelling = i % 5 == 0;
        const bool isLarge = i % 25 == 24;
        const long span = whole[isLarge].count() / (cancelling ? 1 : 4);
        const nanoseconds at{std::uniform_int_distribution<long>(0, span)(random)};
        const CancellationSource source;
        const Outcome outcome =
            reader.read(reading(isLarge ? large : small, cancelling ? nanoseconds(1h) : at), source,
                        60s, [&](nanoseconds spent) {
                            if (cancelling && spent >= at) source.cancel();
                        });
        ASSERT_TRUE(outcome.ended == Ended::read ||
                    outcome.ended == (cancelling ? Ended::cancelled : Ended::cpuTime))
            << i << ": " << outcome.what;
    }
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
    EXPECT_LT(residentBytes(), before + (std::size_t{64} << 20));
#endif
}

#if !defined(__SANITIZE_THREAD__)
// A host's handler running on the reading thread when the read is stopped returns all the same:
// it may hold a lock. (ThreadSanitizer runs a handler only at the thread's next call into the C
// library, which the parser makes none of for long stretches.)
TEST(ReadBudgetTest, AHostsHandlerThatAStopInterruptsReturns) {
    static std::atomic<int> entered{0};
    static std::atomic<int> returned{0};
    static std::atomic<bool> awaitCancel{false};
    static std::atomic<bool> cancelled{false};
    struct sigaction host {};
    // 50 ms of CPU time after the cancel, when it waits for one: the stop lands inside.
    host.sa_handler = [](int) {
        ++entered;
        const auto since = std::chrono::steady_clock::now();
        while (awaitCancel && !cancelled && std::chrono::steady_clock::now() - since < 10s) {
        }
        const nanoseconds from = cpuTime(CLOCK_THREAD_CPUTIME_ID);
        while (cpuTime(CLOCK_THREAD_CPUTIME_ID) - from < 50ms) {
        }
        ++returned;
    };
    struct sigaction before {};
    sigaction(SIGUSR1, &host, &before);
    const std::string html = pageOf("<div>", 20'000);  // a second of the parser's work
    const std::string endless = endlessPage();
    Reader reader;
    for (int i = 0; i < 8; ++i) {
        const bool cancelling = i % 2 == 0;
        // The last two far from any allocation: the stop must be tried again once the handler
        // has returned, as the parser would not call the reader for minutes.
        const bool far = i >= 6;
        entered = returned = 0;
        awaitCancel = cancelling;
        cancelled = false;
        const CancellationSource source;
        const Outcome outcome = reader.read(
            [&] {
                // The host's signal 5 ms of CPU time into the read; its limit, 30 ms, passes in
                // the handler.
                const HostCPUTimer host(SIGUSR1, {far ? 1 : 0, 5'000'000});
                reading(far ? endless : html, cancelling ? nanoseconds(1h)
                                              : far      ? nanoseconds(1030ms)
                                                         : 30ms)();
            },
            source, far ? 3s : 10s,
            [&](nanoseconds) {
                if (cancelling && entered && !cancelled) {
                    source.cancel();
                    cancelled = true;
                }
            });
        EXPECT_EQ(entered, 1) << i;
        EXPECT_EQ(returned, 1) << i;
        EXPECT_EQ(outcome.ended, cancelling ? Ended::cancelled : Ended::cpuTime) << i;
        // The stop is seen at once after the handler's 50 ms, not at the next allocation.
        if (far) {
            EXPECT_LT(outcome.spent, 1200ms) << i;
        }
    }
    sigaction(SIGUSR1, &before, nullptr);

    // A host that profiles the reading thread: a timer on its CPU clock every 500 us, whose
    // handler blocks nothing. Both timers fall due at the same tick, so the stop lands in the
    // host's handler; tried again on that tick each time, it would wait for the parser's next
    // allocation: the text's buffer doubled, after up to as long again as the read so far (at
    // least a third past one of the two limits).
    static std::atomic<int> profiled{0};
    struct sigaction profiler {};
    profiler.sa_flags = SA_SIGINFO | SA_RESTART;
    profiler.sa_sigaction = [](int, siginfo_t*, void*) {
        ++profiled;
        const nanoseconds from = cpuTime(CLOCK_THREAD_CPUTIME_ID);
        while (cpuTime(CLOCK_THREAD_CPUTIME_ID) - from < 20us) {
        }
    };
    sigaction(SIGPROF, &profiler, &before);
    const std::string deep =
        pageOf("<span>", 50'000) + "<b>" + std::string(std::size_t{400} << 10, 't');
    for (const nanoseconds limit : {nanoseconds(600ms), nanoseconds(900ms)}) {
        profiled = 0;
        const Outcome outcome = reader.read(
            [&] {
                const HostCPUTimer profiling(SIGPROF, {0, 500'000}, {0, 500'000});
                reading(deep, limit)();
            },
            {}, 30s);
        EXPECT_EQ(outcome.ended, Ended::cpuTime) << limit.count();
        EXPECT_GT(profiled, 0) << limit.count();
        EXPECT_LT(outcome.spent, limit + 150ms) << limit.count();
    }
    sigaction(SIGPROF, &before, nullptr);
}
#endif

// A signal of a read that has ended stops no later read on the thread, and a read leaves the
// thread's signal mask as it found it.
TEST(ReadBudgetTest, AStaleSignalStopsNoLaterReadAndTheMaskIsKept) {
    const int signal = ReadBudget::signalNumber();
    // A host that takes the signal over mid-read sees what a cancel's signal carries, gives the
    // signal back and passes that one on.
    static struct sigaction kits {};
    static std::atomic<void*> stale{nullptr};
    struct sigaction host {};
    host.sa_flags = SA_SIGINFO;
    host.sa_sigaction = [](int signal, siginfo_t* info, void*) {
        if (info->si_code == SI_QUEUE) stale = info->si_value.sival_ptr;
        sigaction(signal, &kits, nullptr);
        pthread_sigqueue(pthread_self(), signal, info->si_value);
    };
    const std::string html = pageOf("<div>", 12'000);  // a quarter of a second of the parser's work
    Reader reader;
    {
        const CancellationSource source;
        bool taken = false;
        const Outcome outcome = reader.read(reading(html, 1h), source, 60s, [&](nanoseconds spent) {
            if (spent < 5ms || std::exchange(taken, true)) return;
            sigaction(signal, &host, &kits);
            source.cancel();
        });
        ASSERT_EQ(outcome.ended, Ended::cancelled);
        ASSERT_NE(stale.load(), nullptr);
    }
    const auto queueStale = [&](pthread_t thread) {
        sigval value{};
        value.sival_ptr = stale;
        pthread_sigqueue(thread, signal, value);
    };
    // The stale signal reaches the next read midway.
    bool sent = false;
    EXPECT_EQ(reader
                  .read(reading(html, 1h), {}, 60s,
                        [&](nanoseconds spent) {
                            if (spent >= 5ms && !std::exchange(sent, true))
                                queueStale(reader.thread());
                        })
                  .ended,
              Ended::read);
    // With the signal blocked or not before, a read that ends or is stopped at its limit; a
    // stale signal that waited while blocked reaches the read at its start.
    for (const bool blocked : {false, true}) {
        for (const bool stopped : {false, true}) {
            sigset_t before{};
            sigset_t after{};
            const Outcome outcome = reader.read(
                [&] {
                    sigset_t only{};
                    sigemptyset(&only);
                    sigaddset(&only, signal);
                    pthread_sigmask(blocked ? SIG_BLOCK : SIG_UNBLOCK, &only, &before);
                    pthread_sigmask(SIG_SETMASK, nullptr, &before);
                    if (blocked) queueStale(pthread_self());
                    const auto keep = [&](void*) { pthread_sigmask(SIG_SETMASK, nullptr, &after); };
                    const std::unique_ptr<void, decltype(keep)> keeping(&after, keep);
                    reading(html, stopped ? nanoseconds(20ms) : nanoseconds(1h))();
                },
                {}, 60s);
            EXPECT_EQ(outcome.ended, stopped ? Ended::cpuTime : Ended::read) << blocked;
            for (int each = 1; each <= SIGRTMAX; ++each) {
                EXPECT_EQ(sigismember(&before, each), sigismember(&after, each)) << each;
            }
        }
    }
}

#if !defined(__SANITIZE_THREAD__)
// Two copies of the reader in one process (two libraries that each carry the kit) share the
// signal: each passes the other's signals on, so a read of either still stops at its limit, at a
// cancel, and when a host has taken the signal over mid-read. (ThreadSanitizer: as above.)
TEST(ReadBudgetTest, AReadStopsWithASecondCopyOfTheReaderReadingAtOnce) {
    Reader reader;
    reader.read(reading(pageOf("<p>", 1), 1h), {}, 60s);  // this copy first takes the signal
    std::atomic<int> otherReads{0};
    std::atomic<bool> done{false};
    std::thread other([&] {
        for (; !done; ++otherReads) testing::readWithSecondCopy("<p>x", 10s);
    });
    while (otherReads == 0) std::this_thread::yield();
    static std::atomic<int> swallowed{0};
    struct sigaction host {};
    host.sa_handler = [](int) { ++swallowed; };
    const std::string endless = endlessPage();
    const std::string allocating = pageOf("<div>", 40'000);  // seconds, an allocation per tag
    // Each row's cancel, or the host's taking the signal, at `at` of the read's CPU time.
    const struct {
        const char* name;
        const std::string& html;
        bool cancelling;
        bool hostTakesOver;
        nanoseconds at;
    } rows[] = {{"limit", endless, false, false, 1h},
                {"cancel", endless, true, false, 1500ms},
                {"limit, the host's signal", allocating, false, true, 100ms},
                {"cancel, the host's signal", allocating, true, true, 100ms}};
    constexpr nanoseconds kLimit = 300ms;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const CancellationSource source;
        struct sigaction before {};
        nanoseconds cancelledAt{};
        bool acted = false;
        const Outcome outcome =
            reader.read(reading(row.html, row.cancelling ? nanoseconds(1h) : kLimit), source,
                        row.cancelling ? nanoseconds(30s) : kLimit + 1s, [&](nanoseconds spent) {
                            if (spent < row.at || std::exchange(acted, true)) return;
                            if (row.hostTakesOver)
                                sigaction(ReadBudget::signalNumber(), &host, &before);
                            if (row.cancelling) {
                                cancelledAt = spent;
                                source.cancel();
                            }
                        });
        if (row.hostTakesOver && acted) sigaction(ReadBudget::signalNumber(), &before, nullptr);
        EXPECT_EQ(outcome.ended, row.cancelling ? Ended::cancelled : Ended::cpuTime);
        // Seen in milliseconds: a tenth of a second leaves room for a slow machine.
        if (row.cancelling) {
            EXPECT_LT(outcome.spent, cancelledAt + 100ms);
        }
    }
    done = true;
    other.join();
}

// What starts this test program again as one of the processes of the test below.
constexpr const char* kCopiesForm = "CORVEND_READ_BUDGET_COPIES";

std::function<void()> readingWith(int copy, const std::string& html, nanoseconds cpuTime) {
    if (copy == 0) return reading(html, cpuTime);
    return [&html, cpuTime] { testing::readWithSecondCopy(html, cpuTime); };
}

// One process of the test below: both copies' first reads started at once, each stopped by a
// cancel or by its limit; in the "reset" form, then the host's default action set again before
// each copy in turn reads first, and reads of both copies stopped. Exits 0 when every read
// stopped as it should, 1 when one went on past its stop (Reader), 2 when one ended otherwise.
[[noreturn]] void readWithBothCopies(const std::string& form) {
    const bool cancelling = form == "cancel";
    // Blanks before the first tag: a third of a second of the parser's work without an
    // allocation, so that only the signal stops the read within its 100 ms.
    const std::string blank = std::string(std::size_t{8} << 20, ' ') + "<p>x";
    Reader readers[2];
    Outcome outcomes[2];
    std::atomic<int> ready{0};
    {
        std::vector<std::jthread> callers;
        for (const int copy : {0, 1}) {
            callers.emplace_back([&, copy] {
                const CancellationSource source;
                const auto read = readingWith(copy, blank, cancelling ? nanoseconds(1h) : 1ns);
                const auto together = [&] {
                    ++ready;
                    while (ready < 2) std::this_thread::yield();
                    read();
                };
                outcomes[copy] =
                    readers[copy].read(together, source, 100ms, [&](nanoseconds spent) {
                        if (cancelling && spent >= 500us) source.cancel();
                    });
            });
        }
    }
    int wrong = 0;
    for (const Outcome& outcome : outcomes) {
        wrong += outcome.ended != (cancelling ? Ended::cancelled : Ended::cpuTime);
    }
    // A page that allocates at every tag: the copy whose signals are dropped stops there.
    const std::string allocating = pageOf("<div>", 40'000);
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    for (const int first : {0, 1}) {
        if (form != "reset") break;
        sigaction(ReadBudget::signalNumber(), &standard, nullptr);
        for (const int copy : {first, 1 - first}) {
            for (const bool cancel : {false, true}) {
                const CancellationSource source;
                const Outcome outcome =
                    readers[0].read(readingWith(copy, allocating, cancel ? nanoseconds(1h) : 20ms),
                                    source, 1s, [&](nanoseconds spent) {
                                        if (cancel && spent >= 20ms) source.cancel();
                                    });
                wrong += outcome.ended != (cancel ? Ended::cancelled : Ended::cpuTime);
            }
        }
    }
    std::_Exit(wrong == 0 ? 0 : 2);
}

// Two copies of the kit in a process (an app and a plugin that each carry it) that both start
// their first read at once take the signal at once: in hundreds of fresh processes, each copy's
// read then cancelled or stopped at its limit, none ends by the kit's signal and every read
// stops. Neither does a host that sets the default action again after both have read end the
// process: the copy that takes the signal back stops within its limit, the other at its parser's
// next allocation. (ThreadSanitizer: as above.)
TEST(ReadBudgetTest, CopiesTakingTheSignalAtOnceNeverEndTheProcess) {
    if (const char* form = std::getenv(kCopiesForm)) readWithBothCopies(form);
#if defined(__SANITIZE_ADDRESS__)
    constexpr int kProcesses = 40;  // each starts several times as slowly
#else
    constexpr int kProcesses = 300;
#endif
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string filter =
        std::string("--gtest_filter=") + test->test_suite_name() + "." + test->name();
    std::string program = "/proc/self/exe";
    char* arguments[] = {program.data(), const_cast<char*>(filter.c_str()), nullptr};
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const struct {
        std::string form;
        int processes;
    } rows[] = {{"cancel", kProcesses}, {"limit", kProcesses}, {"reset", 8}};
    for (const auto& row : rows) {
        std::vector<std::string> variables{std::string(kCopiesForm) + "=" + row.form};
        for (char** each = environ; *each; ++each) variables.emplace_back(*each);
        std::vector<char*> environment;
        for (std::string& variable : variables) environment.push_back(variable.data());
        environment.push_back(nullptr);
        int signalled = 0;
        int lastSignal = 0;
        int failed = 0;
        int hung = 0;
        // A few at once; one that has not ended in 60 s never will.
        std::vector<std::pair<pid_t, std::chrono::steady_clock::time_point>> running;
        for (int started = 0; started < row.processes || !running.empty();) {
            while (started < row.processes && running.size() < 4) {
                pid_t child = 0;
                ASSERT_EQ(posix_spawn(&child, program.c_str(), &quiet, nullptr, arguments,
                                      environment.data()),
                          0);
                running.emplace_back(child, std::chrono::steady_clock::now());
                ++started;
            }
            std::this_thread::sleep_for(1ms);
            std::erase_if(running, [&](const auto& child) {
                int status = 0;
                if (waitpid(child.first, &status, WNOHANG) == 0) {
                    if (std::chrono::steady_clock::now() - child.second < 60s) return false;
                    kill(child.first, SIGKILL);
                    waitpid(child.first, &status, 0);
                    ++hung;
                } else if (WIFSIGNALED(status)) {
                    ++signalled;
                    lastSignal = WTERMSIG(status);
                } else if (WEXITSTATUS(status) != 0) {
                    ++failed;
                }
                return true;
            });
        }
        EXPECT_EQ(signalled, 0) << row.form << ": the last by signal " << lastSignal;
        EXPECT_EQ(failed, 0) << row.form;
        EXPECT_EQ(hung, 0) << row.form;
    }
    posix_spawn_file_actions_destroy(&quiet);
}
#endif

}  // namespace stops
}  // namespace
}  // namespace corvend::platform::web
