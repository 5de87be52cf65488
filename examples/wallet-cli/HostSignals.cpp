#include "examples/wallet-cli/HostSignals.hpp"

#include <pthread.h>

#include <csignal>
#include <utility>

#include "examples/wallet-cli/TerminalModes.hpp"

namespace corvend::cli {

namespace {

// Delivers `signal` to the calling thread alone, unblocked there, with its default action.
void raiseAsDefault(int signal) {
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    std::signal(signal, SIG_DFL);
    pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
    raise(signal);
    pthread_sigmask(SIG_BLOCK, &only, nullptr);
}

bool ignored(int signal) {
    struct sigaction action {};
    return sigaction(signal, nullptr, &action) == 0 && action.sa_handler == SIG_IGN;
}

}  // namespace

HostSignals::HostSignals(std::function<void()> interrupted) : interrupted_(std::move(interrupted)) {
    sigemptyset(&taken_);
    // Always taken: the destructor wakes the waiting thread with it.
    sigaddset(&taken_, SIGINT);
    for (const int signal : {SIGTERM, SIGHUP, SIGQUIT, SIGTSTP, SIGWINCH}) {
        if (!ignored(signal)) sigaddset(&taken_, signal);
    }
    // Blocked everywhere, the signals wait for sigwait below instead of acting on their own.
    pthread_sigmask(SIG_BLOCK, &taken_, nullptr);
    waiter_ = std::thread([this] {
        int signal = 0;
        while (sigwait(&taken_, &signal) == 0 && !stopping_) take(signal);
    });
}

HostSignals::~HostSignals() {
    stopping_ = true;
    pthread_kill(waiter_.native_handle(), SIGINT);
    waiter_.join();
}

void HostSignals::take(int signal) const {
    auto& terminal = TerminalModes::shared();
    switch (signal) {
        case SIGINT:
            terminal.dropTyped();
            interrupted_();
            return;
        case SIGTSTP: {
            const auto editing = terminal.giveBack();
            // Stops the whole host here; returns once it is continued.
            raiseAsDefault(SIGTSTP);
            terminal.takeAgain(editing);
            return;
        }
        case SIGWINCH:
            terminal.resized();
            return;
        case SIGQUIT:
            terminal.dropTyped();
            [[fallthrough]];
        default:
            terminal.restore();
            raiseAsDefault(signal);
            return;
    }
}

}  // namespace corvend::cli
