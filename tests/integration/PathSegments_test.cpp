// Identifiers placed in endpoint paths stay one path segment on the wire.

#include <gtest/gtest.h>

#include <boost/describe.hpp>
#include <boost/json/object.hpp>

#include "CorvendWallet/core/foundation/WalletError.hpp"
#include "CorvendWallet/networking/PathSegment.hpp"
#include "tests/integration/SandboxTest.hpp"
#include "tests/integration/TestEndpoints.hpp"

namespace corvend::integration {
namespace {

using model::WalletError;

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
            getEndpoint<Item>(std::string(kItemsPath) + pathSegment(identifier), query));
    }

    std::shared_ptr<NetworkManager> manager = configuredManager();
};

struct SegmentCase {
    const char* name;
    std::string identifier;
    std::string encoded;
};

class EncodedSegmentTest : public PathSegmentsTest,
                           public ::testing::WithParamInterface<SegmentCase> {};

TEST_P(EncodedSegmentTest, ReachesTheServiceAsOneSegment) {
    const auto& param = GetParam();

    const auto item = requestItem(param.identifier);

    EXPECT_EQ(item.itemId, param.identifier);
    const auto requests = sandbox.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests.front().target, "/" + std::string(kItemsPath) + param.encoded);
    EXPECT_TRUE(requests.front().query.empty());
}

INSTANTIATE_TEST_SUITE_P(Identifiers, EncodedSegmentTest,
                         ::testing::Values(SegmentCase{"Slash", "a/b", "a%2Fb"},
                                           SegmentCase{"Question", "a?b", "a%3Fb"},
                                           SegmentCase{"Hash", "a#b", "a%23b"},
                                           SegmentCase{"EncodedSlash", "a%2Fb", "a%252Fb"},
                                           SegmentCase{"Plus", "a+b", "a%2Bb"},
                                           SegmentCase{"Space", "a b", "a%20b"},
                                           SegmentCase{"DotInside", "a.b", "a.b"},
                                           SegmentCase{"ThreeDots", "...", "..."}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PathSegmentsTest, QueryValuesKeepReservedCharacters) {
    const auto item = requestItem("a/b", {{"filter", "x+y&z=1#2 %"}});

    EXPECT_EQ(item.itemId, "a/b");
    EXPECT_EQ(item.filter, "x+y&z=1#2 %");
    const auto requests = sandbox.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests.front().target.find('#'), std::string::npos);
}

TEST_F(PathSegmentsTest, DotSegmentsAreRefusedBeforeSending) {
    for (const std::string_view identifier : {".", ".."}) {
        const auto error = failureOf([&] { return requestItem(identifier); });
        EXPECT_EQ(error.as<WalletError>(), WalletError::internalError("I0001"))
            << identifier << ": " << error.description();
    }
    EXPECT_TRUE(sandbox.requests().empty());
}

}  // namespace
}  // namespace corvend::integration
