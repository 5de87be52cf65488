#include "examples/wallet-cli/CommandTable.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace corvend::cli {
namespace {

using ::testing::HasSubstr;
using Words = std::vector<std::string>;

// Runs `words` and returns the outcomes reported (all of them, to catch double reports).
std::vector<Outcome> runCollecting(const CommandTable& table, const Words& words) {
    std::vector<Outcome> outcomes;
    table.run(words, [&](Outcome outcome) { outcomes.push_back(outcome); });
    return outcomes;
}

class CommandTableTest : public ::testing::Test {
  protected:
    std::ostringstream out;
    std::ostringstream err;
    CommandTable table{out, err};
};

TEST(CommandTableSplitTest, SplitsAtRunsOfBlanksKeepingQuotedTextsWhole) {
    const struct {
        std::string line;
        Words words;
    } cases[] = {
        {"", {}},
        {" \t ", {}},
        {"  authenticate   tok\ten  ", {"authenticate", "tok", "en"}},
        {"configure\r", {"configure"}},
        // A word that opens with a double quote runs to the next one, blanks and all; an
        // apostrophe is a letter.
        {"update c-1 \"lost it,  sadly\" don't", {"update", "c-1", "lost it,  sadly", "don't"}},
        {"say \"\" \"no end  here", {"say", "", "no end  here"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CommandTable::split(c.line), c.words) << '"' << c.line << '"';
    }
}

TEST_F(CommandTableTest, UnknownCommandsAndWrongArgumentCountsAreMisusesWithAHint) {
    int calls = 0;
    table.add({.name = "pay",
               .usage = "<amount> [note]",
               .minArguments = 1,
               .maxArguments = 2,
               .handler = [&](const Words&, CommandTable::Done done) {
                   ++calls;
                   done(Outcome::succeeded);
               }});
    const struct {
        Words words;
        Outcome outcome;
    } cases[] = {
        {{"pay"}, Outcome::misused},
        {{"pay", "1"}, Outcome::succeeded},
        {{"pay", "1", "rent"}, Outcome::succeeded},
        {{"pay", "1", "rent", "extra"}, Outcome::misused},
        {{"withdraw", "10"}, Outcome::misused},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(runCollecting(table, c.words), std::vector{c.outcome}) << c.words.size();
    }
    EXPECT_EQ(calls, 2);
    EXPECT_THAT(err.str(), HasSubstr("usage: pay <amount> [note]"));
    EXPECT_THAT(err.str(), HasSubstr("unknown command 'withdraw'; 'help' lists"));
}

// Help listing the usages, and quit ending the session: wallet_cli_test, end to end.
TEST_F(CommandTableTest, AHandlerReportsOnlyItsFirstOutcomeAndAThrowFailsWithItsMessage) {
    table.add({.name = "boom", .handler = [](const Words&, CommandTable::Done) {
                   throw std::runtime_error("the fuse was lit");
               }});
    table.add({.name = "twice", .handler = [](const Words&, CommandTable::Done done) {
                   done(Outcome::succeeded);
                   done(Outcome::failed);
                   throw std::runtime_error("late");
               }});
    table.add({.name = "refuse", .handler = [](const Words&, CommandTable::Done) {
                   throw std::invalid_argument("'x' is no word of mine");
               }});
    EXPECT_EQ(runCollecting(table, {"boom"}), std::vector{Outcome::failed});
    EXPECT_THAT(err.str(), HasSubstr("boom: the fuse was lit"));
    // A word the handler refused is a usage error, not a failure of the command.
    EXPECT_EQ(runCollecting(table, {"refuse"}), std::vector{Outcome::misused});
    EXPECT_EQ(runCollecting(table, {"twice"}), std::vector{Outcome::succeeded});
}

TEST_F(CommandTableTest, RefusesMalformedCommands) {
    const auto handler = [](const Words&, CommandTable::Done done) { done(Outcome::succeeded); };
    EXPECT_THROW(table.add({.name = "", .handler = handler}), std::invalid_argument);
    EXPECT_THROW(table.add({.name = "two words", .handler = handler}), std::invalid_argument);
    EXPECT_THROW(table.add({.name = "nohandler"}), std::invalid_argument);
    EXPECT_THROW(
        table.add({.name = "odd", .minArguments = 2, .maxArguments = 1, .handler = handler}),
        std::invalid_argument);
}

// Until the table is ready only offline commands run; the others are refused with the hint and
// their handler is never called.
TEST_F(CommandTableTest, CommandsThatNeedTheServiceWaitForReadiness) {
    bool ready = false;
    int calls = 0;
    const auto handler = [&](const Words&, CommandTable::Done done) {
        ++calls;
        done(Outcome::succeeded);
    };
    table.add({.name = "pay", .handler = handler});
    table.add({.name = "format", .handler = handler, .offline = true});
    table.setReadiness(
        [&] { return ready ? std::nullopt : std::optional<std::string>("run configure first"); });
    EXPECT_EQ(runCollecting(table, {"pay"}), std::vector{Outcome::failed});
    EXPECT_EQ(runCollecting(table, {"format"}), std::vector{Outcome::succeeded});
    EXPECT_EQ(calls, 1);
    EXPECT_THAT(err.str(), HasSubstr("pay: run configure first"));
    ready = true;
    EXPECT_EQ(runCollecting(table, {"pay"}), std::vector{Outcome::succeeded});
    EXPECT_EQ(calls, 2);
    EXPECT_TRUE(table.needsService("pay"));
    EXPECT_FALSE(table.needsService("format"));
    EXPECT_FALSE(table.needsService("nothing"));
}

// Usages and summaries wrap at the width, later lines indented; a word longer than a line
// stands on a line of its own.
TEST_F(CommandTableTest, HelpWrapsEachCommandToTheWidth) {
    const auto handler = [](const Words&, CommandTable::Done done) { done(Outcome::succeeded); };
    table.add({.name = "pay",
               .usage = "<amount> <currency> <recipient> [reference] [note]",
               .summary = "pays a recipient from the wallet",
               .maxArguments = 5,
               .handler = handler});
    table.add({.name = "long", .usage = std::string(40, 'x'), .handler = handler});
    std::ostringstream help;
    table.printHelp(help, "pay", 30);
    EXPECT_EQ(help.str(),
              "  pay <amount> <currency>\n"
              "      <recipient> [reference]\n"
              "      [note]\n"
              "    pays a recipient from the\n"
              "    wallet\n");
    std::ostringstream all;
    table.printHelp(all, std::nullopt, 30);
    EXPECT_THAT(all.str(), HasSubstr("  long\n      " + std::string(40, 'x') + "\n"));
    EXPECT_THAT(all.str(), HasSubstr("  quit\n    end the session\n"));
}

}  // namespace
}  // namespace corvend::cli
