#include "MemoryStore.hpp"

#include <gtest/gtest.h>

#include <boost/json/parse.hpp>

namespace corvend::sandbox {
namespace {

TEST(MemoryStoreTest, KeepsInsertionOrderAcrossReplaceAndUpdate) {
    MemoryStore store;
    store.put("accounts", "a", 1);
    store.put("accounts", "b", 2);
    store.put("accounts", "a", 3);
    store.put("cards", "a", 9);
    EXPECT_TRUE(store.update("accounts", "b", [](boost::json::value& b) { b = 4; }));
    EXPECT_FALSE(store.update("accounts", "c", [](boost::json::value&) { FAIL(); }));
    EXPECT_EQ(store.list("accounts"), (std::vector<boost::json::value>{3, 4}));
    EXPECT_EQ(store.get("accounts", "a"), boost::json::value(3));
    EXPECT_EQ(store.get("accounts", "c"), std::nullopt);
    EXPECT_EQ(store.get("nothing", "a"), std::nullopt);
}

}  // namespace
}  // namespace corvend::sandbox
