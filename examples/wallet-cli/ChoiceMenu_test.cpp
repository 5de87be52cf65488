#include "examples/wallet-cli/ChoiceMenu.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "examples/wallet-cli/LineFitter.hpp"

namespace corvend::cli {
namespace {

using ::testing::HasSubstr;

// A page of many links is numbered through one index: listing it, and listing it again as a
// page shown again is, looks at a few numbered choices for each one, not at all those before
// it. Listed in parts, it reads as listed at once; its last link is chosen by its number and
// one by its name.
TEST(ChoiceMenuTest, NumbersManyChoicesByOneLookUpEach) {
    constexpr std::size_t kLinks = 10'000;
    const int page = 0;
    std::size_t chosen = kLinks;
    std::vector<ChoiceMenu::Choice> choices;
    for (std::size_t i = 0; i < kLinks; ++i) {
        choices.push_back({.control = &page,
                           .target = "/pay/" + std::to_string(i),
                           .name = "Link " + std::to_string(i),
                           .act = [&chosen, i] { chosen = i; }});
    }
    ChoiceMenu menu;
    std::ostringstream once;
    menu.show(once, "choose:", choices, "close");
    std::ostringstream inParts;
    menu.list(inParts, "choose:", choices);
    std::size_t parts = 1;
    while (!menu.printMore(inParts, 1000, "close")) ++parts;
    EXPECT_GE(menu.keysLookedAt(), kLinks);
    EXPECT_LE(menu.keysLookedAt(), 4 * kLinks);
    EXPECT_THAT(once.str(), HasSubstr("  [10000] Link 9999\n  close\n> "));
    EXPECT_EQ(parts, 10u);
    EXPECT_EQ(inParts.str(), once.str());

    std::ostringstream out;
    EXPECT_EQ(menu.choose(out, "10000"), ChoiceMenu::Answer::chosen);
    EXPECT_EQ(chosen, kLinks - 1);
    EXPECT_EQ(menu.choose(out, " link 7 "), ChoiceMenu::Answer::chosen);
    EXPECT_EQ(chosen, 7u);
    EXPECT_EQ(menu.choose(out, "10001"), ChoiceMenu::Answer::unknown);
}

// A page's link whose words wrap goes on with the page mark; a choice of the host's own (a
// saved card's name) goes on set in, with no mark.
TEST(ChoiceMenuTest, APagesLinkGoesOnWithThePageMark) {
    const int page = 0;
    const std::string words = "Approve now so card deposit result: completed";
    std::ostringstream out;
    {
        LineFitter fitter(out, 24);
        ChoiceMenu().show(out, "choose:",
                          {{.control = &page, .name = words, .fromPage = true},
                           {.control = &page, .target = "card", .name = words}},
                          "close");
    }
    EXPECT_EQ(out.str(),
              "choose:\n"
              "  [1] Approve now so\n  |   card deposit\n  |   result: completed\n"
              "  [2] Approve now so\n    card deposit result:\n    completed\n"
              "  close\n> ");
}

}  // namespace
}  // namespace corvend::cli
