#pragma once

// ExitGate keeps the process's own threads out of a library's process-wide state once exit has
// begun.
//
// Some libraries free process-wide state at exit (OpenSSL's clean-up, simdjson's
// implementation objects) while pool threads, which exit never stops, may still be inside it.
// Every use of such state passes the gate; closing it at exit waits for the passes in progress
// and refuses new ones, so the state goes with no thread inside.
//
//   ExitGate& gate = ...;  // never destroyed; close() registered with std::atexit
//   if (const auto pass = gate.enter()) {
//       useTheLibrary();
//   } else {
//       // the process is ending: give the work up without touching the library
//   }
//
// Limits: close() must run before the state goes, so it is registered with std::atexit after
// whatever frees that state (handlers run in reverse order of registration). A pass must be
// short and must never wait for a thread that may need a pass, or close() waits for ever.
//
// A child of fork() has only the thread that forked: the passes held at the fork are forgotten
// there (the forking thread's own leave without effect), so that the child's close() does not
// wait for threads it does not have. The child's generation starts before any fork handler of the
// host's runs (see ProcessFork.hpp), so a pass such a handler takes counts in the child.

#include <atomic>
#include <cstdint>

namespace corvend::platform {

class ExitGate {
  public:
    // Held while the state is used; false when the gate was closed (nothing to leave then).
    class Pass {
      public:
        Pass(Pass&& other) noexcept : gate_(other.gate_), generation_(other.generation_) {
            other.gate_ = nullptr;
        }
        Pass& operator=(Pass&&) = delete;
        ~Pass() {
            if (gate_ != nullptr) gate_->leave(generation_);
        }
        explicit operator bool() const noexcept { return gate_ != nullptr; }

      private:
        friend class ExitGate;
        Pass(ExitGate* gate, std::uint32_t generation) noexcept
            : gate_(gate), generation_(generation) {}
        ExitGate* gate_;
        std::uint32_t generation_;  // the process's, counted from the first: see `counted_`
    };

    ExitGate() noexcept;
    ExitGate(const ExitGate&) = delete;
    ExitGate& operator=(const ExitGate&) = delete;

    [[nodiscard]] Pass enter() noexcept;

    // Refuses new passes and waits until every pass given has been left. Idempotent.
    void close() noexcept;

  private:
    void leave(std::uint32_t generation) noexcept;

    std::atomic<bool> closed_{false};
    // The passes held, in the high half the process generation (one more in each child of a
    // fork) they were counted in: a count of an older generation stands for none.
    std::atomic<std::uint64_t> counted_{0};
};

}  // namespace corvend::platform
