#pragma once

// The name lookups of the platform/http test binary, steered by name: its own getaddrinfo
// (defined in SteeredLookups_test.cpp, before the C library's) answers two kinds of names and
// passes every other to the C library.
//
// - "<addresses>.addresses.test" resolves to the addresses its first label lists, dots written
//   as dashes and addresses split by "_": "127-0-0-2_127-0-0-1.addresses.test".
// - "held-lookup.test" waits until the test releases it (HeldLookups::releaseAll), as when the
//   system resolver waits on a DNS server that is gone, then finds nothing.
//
// Test-only: linked into that binary alone.

#include <condition_variable>
#include <mutex>
#include <string_view>

namespace corvend::platform::testing {

inline constexpr std::string_view kAddressesDomain = ".addresses.test";
inline constexpr std::string_view kHeldName = "held-lookup.test";

struct HeldLookups {
    std::mutex mutex;
    std::condition_variable changed;
    int started = 0;   // guarded by mutex
    int released = 0;  // the first this many started may end; guarded by mutex

    void releaseAll() {
        std::lock_guard lock(mutex);
        released = started;
        changed.notify_all();
    }
};

// Never destroyed: a resolver thread may still use it as the process ends.
HeldLookups& heldLookups();

}  // namespace corvend::platform::testing
