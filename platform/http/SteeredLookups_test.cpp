// The test binary's one getaddrinfo (see SteeredLookups.hpp); a program's own definition comes
// before the C library's, and the kit's resolver reaches it.

#include "tests/support/SteeredLookups.hpp"

#include <dlfcn.h>
#include <netdb.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "platform/foundation/NeverDestroyed.hpp"

namespace corvend::platform::testing {

HeldLookups& heldLookups() {
    static NeverDestroyed<HeldLookups> held;
    return *held;
}

namespace {

using Lookup = int (*)(const char*, const char*, const addrinfo*, addrinfo**);

Lookup systemLookup() {
    static const auto lookUp = reinterpret_cast<Lookup>(::dlsym(RTLD_NEXT, "getaddrinfo"));
    return lookUp;
}

int lookUpListed(std::string_view name, const char* service, const addrinfo* hints,
                 addrinfo** result) {
    std::string listed(name.substr(0, name.size() - kAddressesDomain.size()));
    std::ranges::replace(listed, '-', '.');
    addrinfo numeric = *hints;
    numeric.ai_flags |= AI_NUMERICHOST;
    addrinfo** tail = result;
    *result = nullptr;
    for (std::size_t begin = 0; begin <= listed.size();) {
        const std::size_t end = std::min(listed.find('_', begin), listed.size());
        const std::string address = listed.substr(begin, end - begin);
        begin = end + 1;
        // glibc frees a list node by node, so lists of several calls may be joined.
        if (const int failed = systemLookup()(address.c_str(), service, &numeric, tail)) {
            ::freeaddrinfo(*result);
            return failed;
        }
        while (*tail != nullptr) tail = &(*tail)->ai_next;
    }
    return 0;
}

int waitUntilReleased() {
    auto& held = heldLookups();
    std::unique_lock lock(held.mutex);
    const int started = ++held.started;
    held.changed.notify_all();
    held.changed.wait(lock, [&] { return held.released >= started; });
    return EAI_NONAME;
}

}  // namespace
}  // namespace corvend::platform::testing

extern "C" int getaddrinfo(const char* node, const char* service, const addrinfo* hints,
                           addrinfo** result) {
    using namespace corvend::platform::testing;
    const std::string_view name = node != nullptr ? node : "";
    if (name == kHeldName) return waitUntilReleased();
    if (name.ends_with(kAddressesDomain)) return lookUpListed(name, service, hints, result);
    return systemLookup()(node, service, hints, result);
}
