#include "platform/async/ExitGate.hpp"

#include "platform/async/ProcessFork.hpp"

namespace corvend::platform {

namespace {

constexpr std::uint32_t generationOf(std::uint64_t counted) noexcept {
    return static_cast<std::uint32_t>(counted >> 32);
}

constexpr std::uint32_t passesOf(std::uint64_t counted) noexcept {
    return static_cast<std::uint32_t>(counted);
}

constexpr std::uint64_t counting(std::uint32_t generation, std::uint32_t passes) noexcept {
    return (std::uint64_t{generation} << 32) | passes;
}

}  // namespace

// Sequentially consistent throughout: enter() counts itself before it reads `closed_`, close()
// sets `closed_` before it reads the count, so one of the two always sees the other.

ExitGate::ExitGate() noexcept {
    // Done before main already; again here for a gate made by another initializer even earlier.
    ProcessFork::followForks();
}

ExitGate::Pass ExitGate::enter() noexcept {
    const std::uint32_t generation = ProcessFork::generation();
    std::uint64_t seen = counted_.load();
    while (!counted_.compare_exchange_weak(
        seen, generationOf(seen) == generation ? seen + 1 : counting(generation, 1))) {
    }
    if (closed_.load()) {
        leave(generation);
        return Pass(nullptr, generation);
    }
    return Pass(this, generation);
}

void ExitGate::leave(std::uint32_t generation) noexcept {
    std::uint64_t seen = counted_.load();
    do {
        // Given before a fork, in the parent: its holder is not in this process.
        if (generationOf(seen) != generation) return;
    } while (!counted_.compare_exchange_weak(seen, seen - 1));
    if (passesOf(seen) == 1 && closed_.load()) counted_.notify_all();
}

void ExitGate::close() noexcept {
    closed_.store(true);
    for (std::uint64_t seen = counted_.load();
         passesOf(seen) != 0 && generationOf(seen) == ProcessFork::generation();
         seen = counted_.load()) {
        counted_.wait(seen);
    }
}

}  // namespace corvend::platform
