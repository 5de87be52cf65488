#include "platform/async/ExitGate.hpp"

#include <gtest/gtest.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <future>
#include <optional>
#include <string>
#include <thread>

namespace corvend::platform {
namespace {

constexpr auto kDeadline = std::chrono::seconds(30);

// Whether `thread` (of this process, or a forked child's only one) sleeps in the kernel waiting
// on a futex, as a thread blocked on an atomic or a mutex does; false once it has ended.
bool sleepsOnAFutex(pid_t thread) {
    std::ifstream call("/proc/" + std::to_string(thread) + "/syscall");
    long number = -1;
    return call >> number && number == SYS_futex;
}

// A pass of `gate` held by a thread of its own, as a parent's other threads hold theirs at a
// fork, until this goes.
class PassOfAnotherThread {
  public:
    explicit PassOfAnotherThread(ExitGate& gate)
        : holder_([this, &gate] {
              const auto pass = gate.enter();
              entered_.set_value();
              release_.get_future().wait();
          }) {
        entered_.get_future().wait();
    }
    ~PassOfAnotherThread() {
        release_.set_value();
        holder_.join();
    }
    PassOfAnotherThread(const PassOfAnotherThread&) = delete;
    PassOfAnotherThread& operator=(const PassOfAnotherThread&) = delete;

  private:
    std::promise<void> entered_;
    std::promise<void> release_;
    std::thread holder_;  // last: it uses the promises
};

TEST(ExitGateTest, ClosingWaitsForThePassesGivenAndRefusesNewOnes) {
    ExitGate gate;
    std::optional<ExitGate::Pass> held(gate.enter());
    ASSERT_TRUE(*held);
    {
        const auto passed = gate.enter();  // passes may overlap
        EXPECT_TRUE(passed);
    }

    std::atomic<pid_t> closer = 0;
    std::atomic<bool> closed = false;
    std::thread closing([&] {
        closer = ::gettid();
        gate.close();
        closed = true;
    });
    // close() either returns, which it must not while a pass is held, or goes to sleep until
    // the pass is left; nothing else on its thread sleeps.
    const auto deadline = std::chrono::steady_clock::now() + kDeadline;
    while (!closed && !(closer != 0 && sleepsOnAFutex(closer)) &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::yield();
    }
    EXPECT_FALSE(closed) << "close() returned while a pass was held";
    EXPECT_FALSE(gate.enter());  // the gate is closing

    held.reset();
    closing.join();
    EXPECT_TRUE(closed);
    EXPECT_FALSE(gate.enter());
    gate.close();  // again: nothing to wait for
}

// The gate a fork handler of the test's takes a pass from in the child, as a library's would.
std::atomic<ExitGate*> gateForkHandlersUse{nullptr};
// Held by the child from its fork handler on; set only there.
std::optional<ExitGate::Pass> passOfTheChildsHandler;

// A child's close() waits for a pass taken in the child: one its fork handler took (registered
// before the gate, as a library's, so handlers of the kit's registered only with the first gate
// would come after it), while it leaves the pass its forking thread held and another thread of
// its parent still holds one.
TEST(ExitGateTest, AForkedChildClosesOnlyOnceThePassesTakenInItAreLeft) {
    ASSERT_EQ(::pthread_atfork(nullptr, nullptr,
                               [] {
                                   if (ExitGate* gate = gateForkHandlersUse.load()) {
                                       passOfTheChildsHandler.emplace(gate->enter());
                                   }
                               }),
              0);
    ExitGate gate;
    gateForkHandlersUse = &gate;
    const PassOfAnotherThread held(gate);
    std::optional<ExitGate::Pass> own(gate.enter());

    const pid_t child = ::fork();
    if (child == 0) {
        own.reset();
        gate.close();
        ::_exit(1);  // with the handler's pass still held
    }
    ASSERT_GT(child, 0);
    gateForkHandlersUse = nullptr;
    // The child either ends, which it must not while its pass is held, or sleeps until it is
    // left; nothing else in it sleeps.
    const auto deadline = std::chrono::steady_clock::now() + kDeadline;
    bool waits = false;
    int status = 0;
    while (!(waits = sleepsOnAFutex(child)) && ::waitpid(child, &status, WNOHANG) == 0 &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::yield();
    }
    if (waits || std::chrono::steady_clock::now() >= deadline) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
    }
    EXPECT_TRUE(waits) << "the child's close() returned while a pass taken in it was held: "
                       << status;

    own.reset();
}

TEST(ExitGateTest, AForkedChildClosesWithoutWaitingForThePassesOfThreadsItHasNot) {
    ExitGate gate;
    std::optional<PassOfAnotherThread> held(std::in_place, gate);
    std::optional<ExitGate::Pass> own(gate.enter());  // the forking thread's, left in the child

    const pid_t child = ::fork();
    if (child == 0) {
        own.reset();
        gate.close();
        ::_exit(gate.enter() ? 1 : 0);
    }
    ASSERT_GT(child, 0);
    const int ended = static_cast<int>(::syscall(SYS_pidfd_open, child, 0));
    pollfd gone{ended, POLLIN, 0};
    const bool endedInTime =
        ::poll(&gone, 1, static_cast<int>(std::chrono::milliseconds(kDeadline).count())) == 1;
    if (!endedInTime) ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(ended);
    EXPECT_TRUE(endedInTime) << "the child's close() waited for passes held in its parent";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;

    // The parent's gate is as it was: open until closed.
    own.reset();
    EXPECT_TRUE(gate.enter());
    held.reset();
    gate.close();
    EXPECT_FALSE(gate.enter());
}

}  // namespace
}  // namespace corvend::platform
