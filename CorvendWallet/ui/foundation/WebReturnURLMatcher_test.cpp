#include "CorvendWallet/ui/foundation/WebReturnURLMatcher.hpp"

#include <gtest/gtest.h>

#include "CorvendWallet/setup/WebReturnURL.hpp"

namespace corvend {
namespace {

TEST(WebReturnURLMatcherTest, MatchesTheReturnAddressAndWhatLiesUnderItOnly) {
    const std::string kit(kWebReturnURL);
    struct Case {
        std::string returnURL;
        std::string address;
        bool matches;
    };
    const Case cases[] = {
        {kit, kit, true},
        {kit, kit + "/", true},
        {kit, kit + "/3ds/done?id=7", true},
        {kit, kit + "?sessionId=1", true},
        {kit, kit + "#done", true},
        {kit, kit + ".evil.com/", false},  // a longer host that starts the same
        {kit, kit + "x/", false},
        {kit, kit + ":8443/", false},
        {kit, "http://return.corvend.example/", false},  // another scheme
        {kit, "https://RETURN.corvend.example/", false},
        {kit, "https://issuer.example/?next=" + kit, false},
        {kit + "/3ds/", kit + "/3ds/finished", true},  // a return address ending in "/"
        {kit + "/3ds/", kit + "/3ds", false},
        {"", kit, false},  // no return address ends nothing
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WebReturnURLMatcher(c.returnURL).matches(c.address), c.matches)
            << c.returnURL << " / " << c.address;
    }
}

}  // namespace
}  // namespace corvend
