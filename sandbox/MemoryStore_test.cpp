#include "MemoryStore.hpp"

#include <gtest/gtest.h>

#include <boost/json/parse.hpp>
#include <chrono>
#include <future>

namespace corvend::sandbox {
namespace {

using namespace std::chrono_literals;

TEST(MemoryStoreTest, KeepsInsertionOrderAcrossReplaceAndRemove) {
    MemoryStore store;
    store.put("accounts", "a", 1);
    store.put("accounts", "b", 2);
    store.put("accounts", "a", 3);
    store.put("cards", "a", 9);
    EXPECT_EQ(store.list("accounts"), (std::vector<boost::json::value>{3, 2}));
    EXPECT_EQ(store.get("accounts", "a"), boost::json::value(3));
    EXPECT_EQ(store.get("accounts", "c"), std::nullopt);
    EXPECT_EQ(store.get("nothing", "a"), std::nullopt);

    EXPECT_TRUE(store.remove("accounts", "a"));
    EXPECT_FALSE(store.remove("accounts", "a"));
    EXPECT_EQ(store.list("accounts"), (std::vector<boost::json::value>{2}));
    EXPECT_EQ(store.size("cards"), 1u);

    store.clear("cards");
    EXPECT_EQ(store.size("cards"), 0u);
}

TEST(MemoryStoreTest, UpdateChangesTheStoredDocument) {
    MemoryStore store;
    store.put("accounts", "a", boost::json::parse(R"({"balance":10})"));
    EXPECT_TRUE(store.update(
        "accounts", "a", [](boost::json::value& account) { account.as_object()["balance"] = 4; }));
    EXPECT_FALSE(store.update("accounts", "b", [](boost::json::value&) { FAIL(); }));
    EXPECT_EQ(store.get("accounts", "a"), boost::json::parse(R"({"balance":4})"));
}

TEST(MemoryStoreTest, AppendGivesDistinctIdsAndWakesWaiters) {
    MemoryStore store;
    auto waiter = std::async(std::launch::async, [&] { return store.waitForSize("log", 2, 10s); });
    auto first = store.append("log", "x");
    auto second = store.append("log", "y");
    EXPECT_NE(first, second);
    EXPECT_TRUE(waiter.get());
    EXPECT_EQ(store.get("log", second), boost::json::value("y"));
    EXPECT_FALSE(store.waitForSize("log", 3, 0ms));
}

}  // namespace
}  // namespace corvend::sandbox
