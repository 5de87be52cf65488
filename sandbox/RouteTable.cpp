#include "RouteTable.hpp"

#include <algorithm>
#include <mutex>

namespace corvend::sandbox {

namespace {

bool isParameter(std::string_view segment) {
    return segment.size() >= 2 && segment.front() == '{' && segment.back() == '}';
}

std::vector<std::string> splitPattern(std::string_view pattern) {
    if (pattern.starts_with('/')) pattern.remove_prefix(1);
    std::vector<std::string> segments;
    if (pattern.empty()) return segments;
    for (;;) {
        auto slash = pattern.find('/');
        segments.emplace_back(pattern.substr(0, slash));
        if (slash == std::string_view::npos) break;
        pattern.remove_prefix(slash + 1);
    }
    return segments;
}

}  // namespace

void RouteTable::add(std::string method, std::string_view pattern, RouteHandler handler) {
    Route route{std::move(method), splitPattern(pattern), 0, std::move(handler)};
    route.literals = static_cast<std::size_t>(std::ranges::count_if(
        route.segments, [](const auto& segment) { return !isParameter(segment); }));
    std::unique_lock lock(mutex_);
    auto same = std::ranges::find_if(routes_, [&](const Route& existing) {
        return existing.method == route.method && existing.segments == route.segments;
    });
    if (same != routes_.end()) {
        *same = std::move(route);
    } else {
        routes_.push_back(std::move(route));
    }
}

bool RouteTable::matches(const Route& route, const std::vector<std::string>& segments) {
    if (route.segments.size() != segments.size()) return false;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const auto& expected = route.segments[i];
        if (isParameter(expected) ? segments[i].empty() : expected != segments[i]) return false;
    }
    return true;
}

std::optional<RouteTable::Match> RouteTable::find(std::string_view method,
                                                  const std::vector<std::string>& segments) const {
    std::shared_lock lock(mutex_);
    const Route* best = nullptr;
    for (const auto& route : routes_) {
        if (route.method != method || !matches(route, segments)) continue;
        if (best == nullptr || route.literals > best->literals) best = &route;
    }
    if (best == nullptr) return std::nullopt;
    Match match{best->handler, {}};
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const auto& segment = best->segments[i];
        if (isParameter(segment)) {
            match.pathParameters[segment.substr(1, segment.size() - 2)] = segments[i];
        }
    }
    return match;
}

}  // namespace corvend::sandbox
