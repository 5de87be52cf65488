#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <vector>

#include "Reply.hpp"
#include "RouteRequest.hpp"

namespace corvend::sandbox {

// Handles one request of a route. May run on any serving thread, several at once; a thrown
// exception becomes a 500 error document.
using RouteHandler = std::function<Reply(const RouteRequest&)>;

// The routes the sandbox serves. A pattern is a path relative to the base URL, split on '/';
// a segment written "{name}" matches any one non-empty segment and captures it decoded.
// Safe to use from any thread.
class RouteTable {
  public:
    struct Match {
        RouteHandler handler;
        std::map<std::string, std::string, std::less<>> pathParameters;
    };

    // Adds a route. A leading '/' in `pattern` is ignored. Adding the same method and pattern
    // again replaces the earlier handler.
    void add(std::string method, std::string_view pattern, RouteHandler handler);

    // Finds the route for `method` and the decoded path `segments`. When several patterns
    // match, the one with the most literal segments wins.
    std::optional<Match> find(std::string_view method,
                              const std::vector<std::string>& segments) const;

  private:
    struct Route {
        std::string method;
        std::vector<std::string> segments;
        std::size_t literals = 0;
        RouteHandler handler;
    };

    static bool matches(const Route& route, const std::vector<std::string>& segments);

    mutable std::shared_mutex mutex_;
    std::vector<Route> routes_;
};

}  // namespace corvend::sandbox
