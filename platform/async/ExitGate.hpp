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

#include <atomic>
#include <cstddef>

namespace corvend::platform {

class ExitGate {
  public:
    // Held while the state is used; false when the gate was closed (nothing to leave then).
    class Pass {
      public:
        Pass(Pass&& other) noexcept : gate_(other.gate_) { other.gate_ = nullptr; }
        Pass& operator=(Pass&&) = delete;
        ~Pass() {
            if (gate_ != nullptr) gate_->leave();
        }
        explicit operator bool() const noexcept { return gate_ != nullptr; }

      private:
        friend class ExitGate;
        explicit Pass(ExitGate* gate) noexcept : gate_(gate) {}
        ExitGate* gate_;
    };

    ExitGate() = default;
    ExitGate(const ExitGate&) = delete;
    ExitGate& operator=(const ExitGate&) = delete;

    [[nodiscard]] Pass enter() noexcept;

    // Refuses new passes and waits until every pass given has been left. Idempotent.
    void close() noexcept;

  private:
    void leave() noexcept;

    std::atomic<bool> closed_{false};
    std::atomic<std::size_t> passes_{0};
};

}  // namespace corvend::platform
