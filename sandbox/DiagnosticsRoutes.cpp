#include "DiagnosticsRoutes.hpp"

#include <boost/json/object.hpp>

namespace corvend::sandbox {

void addDiagnosticsRoutes(const RouteContext& context) {
    // Serialized once: the benchmarks measure the client, not this reply.
    auto ping =
        Reply::json(200, boost::json::object{{"status", "ok"}, {"time", "2024-03-05T14:07:09Z"}});
    context.routes.add("GET", "digitalwallets/v1/sandbox/ping",
                       [ping](const RouteRequest&) { return ping; });
}

}  // namespace corvend::sandbox
