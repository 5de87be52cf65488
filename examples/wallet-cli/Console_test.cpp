#include "examples/wallet-cli/Console.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace corvend::cli {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using Words = std::vector<std::string>;

// Hands out scripted lines only when the test says so, so a test sees exactly when the console
// asks for input.
struct FakeLines final : LineSource {
    explicit FakeLines(std::deque<std::string> lines) : lines(std::move(lines)) {}

    void next(Delivery deliver) override {
        ASSERT_FALSE(pending) << "asked for a line while one was outstanding";
        pending = std::move(deliver);
    }
    // Delivers the next line, or the end once the lines run out.
    void deliver() {
        ASSERT_TRUE(pending);
        std::optional<std::string> line;
        if (!lines.empty()) {
            line = std::move(lines.front());
            lines.pop_front();
        }
        std::exchange(pending, nullptr)(std::move(line));
    }

    std::deque<std::string> lines;
    Delivery pending;
};

class ConsoleTest : public ::testing::Test {
  protected:
    ConsoleTest() {
        table->add({.name = "record",
                    .maxArguments = 5,
                    .handler = [this](const Words& arguments, CommandTable::Done done) {
                        ran.push_back(arguments);
                        done(Outcome::succeeded);
                    }});
    }

    // Starts a console over `lines` and feeds every line it asks for until it finishes.
    void runSession(std::shared_ptr<FakeLines> lines, std::string prompt = "") {
        auto console = Console::make(table, lines, out, std::move(prompt));
        console->start([this] { ++finished; });
        while (finished == 0 && lines->pending) lines->deliver();
    }

    std::ostringstream out;
    std::ostringstream err;
    std::shared_ptr<CommandTable> table = std::make_shared<CommandTable>(out, err);
    std::vector<Words> ran;
    int finished = 0;
};

// Quit ends the session and nothing after it runs: wallet_cli_test, end to end.
TEST_F(ConsoleTest, FailuresDoNotEndTheSessionButTheEndOfInputDoes) {
    auto lines = std::make_shared<FakeLines>(
        std::deque<std::string>{"record a", "", "no-such-command", "  record b c "});
    runSession(lines, "> ");
    EXPECT_EQ(finished, 1);
    EXPECT_THAT(ran, ElementsAre(Words{"a"}, Words{"b", "c"}));
    EXPECT_THAT(err.str(), HasSubstr("unknown command 'no-such-command'"));
    // One prompt per line asked for, and a fresh line after the last one.
    EXPECT_EQ(out.str(), "> > > > > \n");
}

TEST_F(ConsoleTest, AsksForTheNextLineOnlyOnceTheCommandHasEnded) {
    CommandTable::Done kept;
    table->add({.name = "slow",
                .handler = [&](const Words&, CommandTable::Done done) { kept = std::move(done); }});
    auto lines = std::make_shared<FakeLines>(std::deque<std::string>{"slow", "record next"});
    auto console = Console::make(table, lines, out, "");
    console->start([this] { ++finished; });

    lines->deliver();
    ASSERT_TRUE(kept);
    EXPECT_FALSE(lines->pending);

    kept(Outcome::succeeded);
    ASSERT_TRUE(lines->pending);
    lines->deliver();
    EXPECT_THAT(ran, ElementsAre(Words{"next"}));
    EXPECT_EQ(finished, 0);
    lines->deliver();
    EXPECT_EQ(finished, 1);
}

}  // namespace
}  // namespace corvend::cli
