#include "RouteTable.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvend::sandbox {
namespace {

RouteHandler answering(int status) {
    return [status](const RouteRequest&) { return Reply::empty(status); };
}

int statusOf(const RouteTable& routes, std::string_view method,
             const std::vector<std::string>& segments) {
    auto match = routes.find(method, segments);
    return match ? match->handler(RouteRequest{}).status : 0;
}

TEST(RouteTableTest, MatchesMethodAndEverySegment) {
    RouteTable routes;
    routes.add("GET", "/v1/accounts", answering(200));
    routes.add("POST", "v1/accounts", answering(201));
    routes.add("GET", "", answering(204));
    routes.add("GET", "v1/cards/{cardId}/limits/{kind}", answering(203));

    struct Case {
        std::string method;
        std::vector<std::string> segments;
        int status;
    };
    const std::vector<Case> cases = {
        {"GET", {"v1", "accounts"}, 200},
        {"POST", {"v1", "accounts"}, 201},
        {"PUT", {"v1", "accounts"}, 0},
        {"GET", {"v1", "accounts", ""}, 0},
        {"GET", {"v1"}, 0},
        {"GET", {"V1", "accounts"}, 0},
        {"GET", {}, 204},
        {"GET", {"v1", "cards", "c-1", "limits", "daily"}, 203},
        {"GET", {"v1", "cards", "", "limits", "daily"}, 0},
    };
    for (const auto& [method, segments, status] : cases) {
        SCOPED_TRACE(method + " " + std::to_string(segments.size()));
        EXPECT_EQ(statusOf(routes, method, segments), status);
    }
}

TEST(RouteTableTest, MostLiteralPatternWinsAndLaterAddReplaces) {
    RouteTable routes;
    routes.add("GET", "v1/cards/{cardId}", answering(200));
    routes.add("GET", "v1/cards/search", answering(201));
    EXPECT_EQ(statusOf(routes, "GET", {"v1", "cards", "search"}), 201);
    EXPECT_EQ(statusOf(routes, "GET", {"v1", "cards", "c-1"}), 200);
    EXPECT_EQ(routes.find("GET", {"v1", "cards", "a/b"})->pathParameters.at("cardId"), "a/b");

    routes.add("GET", "/v1/cards/{cardId}", answering(202));
    EXPECT_EQ(statusOf(routes, "GET", {"v1", "cards", "c-1"}), 202);
}

}  // namespace
}  // namespace corvend::sandbox
