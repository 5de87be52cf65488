// Identifiers placed in endpoint paths stay one path segment on the wire.

#include <gtest/gtest.h>

#include <boost/describe.hpp>
#include <boost/json/object.hpp>

#include "CorvendWallet/networking/PathSegment.hpp"
#include "tests/integration/SandboxTest.hpp"
#include "tests/integration/TestEndpoints.hpp"

namespace corvend::integration {
namespace {

constexpr std::string_view kItemsPath = "digitalwallets/v1/profile/items/";

// What the item route saw: its one path parameter and its filter, both decoded.
struct Item {
    std::string itemId;
    std::optional<std::string> filter;
};
BOOST_DESCRIBE_STRUCT(Item, (), (itemId, filter))

class PathSegmentsTest : public SandboxTest {
  protected:
    PathSegmentsTest() {
        sandbox.addRoute("GET", std::string(kItemsPath) + "{itemId}",
                         [](const sandbox::RouteRequest& request) {
                             boost::json::object item{{"itemId", *request.pathParameter("itemId")}};
                             if (auto filter = request.queryItem("filter"))
                                 item["filter"] = *filter;
                             return sandbox::Reply::json(200, item);
                         });
    }

    Item requestItem(std::string_view identifier, const std::vector<HTTPQueryParam>& query = {}) {
        return manager->request(
            jsonGetEndpoint<Item>(std::string(kItemsPath) + pathSegment(identifier), query));
    }

    std::shared_ptr<NetworkManager> manager = configuredManager();
};

TEST_F(PathSegmentsTest, ReservedCharactersReachTheServiceAsOneSegment) {
    const std::pair<std::string, std::string> identifiers[] = {{"a/b", "a%2Fb"},
                                                               {"a#b", "a%23b"},
                                                               {"a%2Fb", "a%252Fb"},
                                                               {"a+b c", "a%2Bb%20c"},
                                                               {"...", "..."}};
    for (const auto& [identifier, encoded] : identifiers) {
        sandbox.clearRequests();
        EXPECT_EQ(requestItem(identifier).itemId, identifier);
        const auto requests = sandbox.requests();
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests.front().target, "/" + std::string(kItemsPath) + encoded);
    }
}

TEST_F(PathSegmentsTest, QueryValuesKeepReservedCharacters) {
    const auto item = requestItem("a/b", {{"filter", "x+y&z=1#2 %"}});

    EXPECT_EQ(item.itemId, "a/b");
    EXPECT_EQ(item.filter, "x+y&z=1#2 %");
    EXPECT_EQ(sandbox.requests().at(0).target.find('#'), std::string::npos);
}

}  // namespace
}  // namespace corvend::integration
