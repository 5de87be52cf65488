#include "platform/async/ProcessFork.hpp"

#include <pthread.h>

#include <atomic>
#include <stdexcept>
#include <string>

namespace corvend::platform {

namespace {

// Set in the child while it has the forking thread alone.
constinit std::atomic<std::uint32_t> forkGeneration{0};
// Set before the kit's first guard or lock is taken, so a fork that copies one held sees it.
constinit std::atomic<bool> kitBegun{false};
constinit std::atomic<bool> forkedAfterKit{false};

void inForkedChild() noexcept {
    forkGeneration.fetch_add(1);
    if (kitBegun.load()) forkedAfterKit.store(true);
}

// Before main, and with a priority, so that it comes ahead of the unprioritized static
// initializers of the whole program, a host's own included.
[[gnu::constructor(101)]] void followForksBeforeMain() noexcept {
    ProcessFork::followForks();
}

}  // namespace

std::uint32_t ProcessFork::generation() noexcept {
    return forkGeneration.load();
}

void ProcessFork::noteKitBegun() noexcept {
    // Read first: once set, the entry points' stores would only contend for the line.
    if (!kitBegun.load(std::memory_order_relaxed)) kitBegun.store(true);
}

bool ProcessFork::forkedAfterKitBegan() noexcept {
    return forkedAfterKit.load(std::memory_order_relaxed);
}

void ProcessFork::checkKitUsable(const char* call) {
    if (forkedAfterKitBegan()) {
        throw std::logic_error(
            std::string(call) +
            " in a child of fork made after the kit began to be made, whose threads, locks and "
            "connections stayed in the parent: use the kit in the parent only, or fork before "
            "its first call (the child may exit() or exec)");
    }
    noteKitBegun();
}

void ProcessFork::followForks() noexcept {
    static const bool followed = ::pthread_atfork(nullptr, nullptr, &inForkedChild) == 0;
    (void)followed;
}

}  // namespace corvend::platform
