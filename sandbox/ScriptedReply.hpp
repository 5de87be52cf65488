#pragma once

#include <chrono>
#include <string>
#include <utility>
#include <vector>

namespace corvend::sandbox {

// A one-shot reply that replaces whatever the route would have answered (the route's handler
// does not run), or that holds the route's own reply (see afterRoute). Used by tests to inject
// faults.
struct ScriptedReply {
    int status = 200;

    // Extra headers, sent in this order after the ones the server adds itself.
    std::vector<std::pair<std::string, std::string>> headers{};

    // Sent verbatim: any bytes, including malformed JSON or HTML.
    std::string body{};

    // Content type of `body`; when empty no content type is sent.
    std::string contentType = "application/json";

    // Time to wait before replying. `Sandbox::stop()` cuts the wait short.
    std::chrono::milliseconds delay{0};

    // When true the reply waits for `Sandbox::releaseHeld()` (or `stop()`) before it is sent.
    bool hold = false;

    // When true the route's handler runs first, as it would unscripted (the service acts), and
    // its own reply is sent after `hold` and `delay`, unless `dropConnection`; the fields that
    // make a reply are unused, unless `replaceRouteReply`.
    bool afterRoute = false;

    // With `afterRoute`, the reply made of the fields above is sent instead of the route's own:
    // the service acted, and something on the way (a gateway) answered in its place.
    bool replaceRouteReply = false;

    // When true (with `hold`, without `afterRoute`) the route's handler runs once the reply is
    // released, as a service may act late on a request its sender has given up on; its own reply
    // is then sent, unless `dropConnection`.
    bool routeOnRelease = false;

    // When true the connection is closed without any reply being written (with `afterRoute`,
    // once the route has run: the service acted and its reply is lost).
    bool dropConnection = false;

    // When false the reply carries no correlation header. A correlation header given in
    // `headers` replaces the generated one.
    bool sendCorrelationId = true;
};

}  // namespace corvend::sandbox
