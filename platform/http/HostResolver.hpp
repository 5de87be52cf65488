#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/async/OneShot.hpp"

namespace corvend::platform::detail {

// Looks host names up for the sessions, so that libcurl never starts a resolver thread of its
// own: it leaves one behind, with a socket pair, for every transfer that ends during its lookup.
// One lookup runs at a time per name and port, shared by every call that waits for it, on at
// most kMaximumThreads threads of its own. They are never joined: a lookup ends when the system
// resolver returns, whoever still waits for it, and a process may end meanwhile. A lookup that
// succeeded is kept as long as libcurl keeps a name it looked up itself.
class HostResolver {
  public:
    static constexpr std::size_t kMaximumThreads = 4;
    static constexpr std::chrono::seconds kKeptFor{60};  // libcurl's own DNS cache time-out

    // The addresses of a host, "a1,a2,[v6]", or absent when it has none.
    using Lookup =
        std::function<std::optional<std::string>(const std::string& host, std::uint16_t port)>;
    // libcurl's CURLOPT_RESOLVE entry, "host:port:a1,a2", or a URLError (cannotFindHost).
    using Answer = OneShot<std::string>;

    // The time a kept lookup is measured by: the steady clock, or a test's.
    using Now = std::function<std::chrono::steady_clock::time_point()>;

    // The process's, over getaddrinfo; never destroyed.
    static HostResolver& shared();

    explicit HostResolver(
        Lookup lookup, Now now = [] { return std::chrono::steady_clock::now(); });
    ~HostResolver();
    HostResolver(const HostResolver&) = delete;
    HostResolver& operator=(const HostResolver&) = delete;

    // The answer for `host`:`port`, settled at once when a recent lookup is kept, else when the
    // lookup in flight for it ends. The resolver keeps no hold on it: its caller may drop it or
    // settle it first (cancelled, timed out) whenever it stops waiting.
    std::shared_ptr<Answer> lookUp(const std::string& host, std::uint16_t port);

    // Whether `host` is an IP address, which libcurl takes without a lookup.
    static bool isAddress(const std::string& host) noexcept;

  private:
    struct State;
    std::shared_ptr<State> state_;
};

}  // namespace corvend::platform::detail
