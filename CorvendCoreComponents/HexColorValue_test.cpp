#include "CorvendCoreComponents/HexColorValue.hpp"

#include <gtest/gtest.h>

namespace corvend::components {
namespace {

TEST(HexColorValueTest, SixHexDigitsWithOrWithoutOneHash) {
    struct Case {
        const char* hex;
        double alpha;
        const char* expected;  // description of the colour, or nullptr for the clear colour
    };
    const Case cases[] = {
        {"#0455CD", 1, "#0455CD"}, {"0455cd", 1, "#0455CD"}, {"#141414", 0.38, "#141414 α0.38"},
        {"##0455CD", 1, nullptr},  {"#0455C", 1, nullptr},   {"#0455CD0", 1, nullptr},
        {"#04 5CD", 1, nullptr},   {"#GG55CD", 1, nullptr},  {"", 1, nullptr},
        {"#", 1, nullptr},         {"+04555", 1, nullptr},   {"0x0455", 1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hex);
        const auto color = hexColor({c.hex, c.alpha});
        if (c.expected)
            EXPECT_EQ(color->description(), c.expected);
        else
            EXPECT_EQ(color, platform::ui::Color::clear());
    }
}

TEST(HexColorValueTest, EachCallMakesANewColour) {
    EXPECT_NE(hexColor({"#FFFFFF", 1}), hexColor({"#FFFFFF", 1}));
}

}  // namespace
}  // namespace corvend::components
