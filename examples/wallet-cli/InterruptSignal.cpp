#include "examples/wallet-cli/InterruptSignal.hpp"

#include <pthread.h>

#include <csignal>
#include <utility>

namespace corvend::cli {

namespace {

sigset_t interruptOnly() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    return set;
}

}  // namespace

InterruptSignal::InterruptSignal(std::function<void()> received) {
    const sigset_t set = interruptOnly();
    // Blocked everywhere, the signal waits for sigwait below instead of ending the process.
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    waiter_ = std::thread([this, received = std::move(received), set] {
        int signal = 0;
        while (sigwait(&set, &signal) == 0 && !stopping_) received();
    });
}

InterruptSignal::~InterruptSignal() {
    stopping_ = true;
    pthread_kill(waiter_.native_handle(), SIGINT);
    waiter_.join();
}

}  // namespace corvend::cli
