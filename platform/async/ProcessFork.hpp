#pragma once

// What the platform layer knows of fork().
//
// Its child handler is registered before main, ahead of the static initializers of a host linked
// to the kit's libraries, so in each child it runs before any handler the host or a library of
// its registers there: such a handler that takes an exit-gate pass already counts in the child's
// generation (see ExitGate.hpp).
//
// The kit's threads, its connections and its TLS state belong to the process that made them.
// The kit begins to be made at its first entry (Wallet::instance() or any other entry point) or
// as the platform layer first makes one of its process-wide objects (the main queue, the pool,
// the sessions' library set-up, the resolver, the current locale, the URL opener): each notes it
// before it takes the guard or lock of that making. In a child of fork made after the kit began
// to be made, the child may exit() or exec, and every entry into the kit (the facade, the
// services in both forms, the screens, the main queue, the URL opener, the pool, a serial queue)
// throws std::logic_error at once, before it takes any lock or guard: a parent thread may have
// held it at the fork, and in the child nothing ever releases it. A child forked before the kit
// began to be made uses the kit as any process does.

#include <cstdint>

namespace corvend::platform {

class ProcessFork {
  public:
    // 0 in a process that was not forked; one more in each child of a fork.
    static std::uint32_t generation() noexcept;

    // Called as the kit begins to make something the whole process shares, or starts a thread
    // of its own, before any guard or lock that takes. An atomic: no lock.
    static void noteKitBegun() noexcept;

    // True in a child of fork made after the kit began to be made. An atomic read: no lock.
    static bool forkedAfterKitBegan() noexcept;

    // Throws std::logic_error naming `call` in a child of fork made after the kit began to be
    // made; elsewhere notes that it has begun (noteKitBegun). Takes no lock, so it comes first in
    // every entry point.
    static void checkKitUsable(const char* call);

    // Registers the child handler, once; done before main.
    static void followForks() noexcept;
};

}  // namespace corvend::platform
