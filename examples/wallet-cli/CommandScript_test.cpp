#include "examples/wallet-cli/CommandScript.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace corvend::cli {
namespace {

using Words = std::vector<std::string>;

class CommandScriptTest : public ::testing::Test {
  protected:
    CommandScriptTest() {
        const auto recording = [this](Outcome outcome) {
            return [this, outcome](const Words& arguments, CommandTable::Done done) {
                // A step started from inside another step's report would find this set.
                EXPECT_FALSE(inHandler) << "steps nest";
                inHandler = true;
                ran.push_back(arguments);
                done(outcome);
                inHandler = false;
            };
        };
        table->add({.name = "ok", .maxArguments = 2, .handler = recording(Outcome::succeeded)});
        table->add({.name = "fail", .maxArguments = 2, .handler = recording(Outcome::failed)});
    }

    // Runs `steps` to the end and returns whether the script succeeded.
    std::optional<bool> runScript(std::vector<CommandScript::Step> steps) {
        std::optional<bool> result;
        auto script = CommandScript::make(table, queue, std::move(steps), out);
        script->start([&](Outcome outcome) { result = outcome == Outcome::succeeded; });
        // Nothing runs inside start().
        EXPECT_TRUE(ran.empty());
        EXPECT_FALSE(result.has_value());
        while (!result && queue.drain() > 0) {
        }
        return result;
    }

    std::ostringstream out;
    std::ostringstream err;
    std::shared_ptr<CommandTable> table = std::make_shared<CommandTable>(out, err);
    platform::MainQueue queue;
    std::vector<Words> ran;
    bool inHandler = false;
};

TEST_F(CommandScriptTest, RunsEachStepWithItsArgumentsUntilTheFirstFailureOrQuit) {
    const struct {
        std::vector<CommandScript::Step> steps;
        bool succeeded;
        std::vector<Words> ran;
    } cases[] = {
        {{}, true, {}},
        {{{"ok", "1"}, {"ok"}, {"fail", "2", "3"}, {"ok", "4"}}, false, {{"1"}, {}, {"2", "3"}}},
        {{{"ok", "1"}, {"quit"}, {"fail"}}, true, {{"1"}}},
    };
    for (const auto& c : cases) {
        ran.clear();
        EXPECT_EQ(runScript(c.steps), c.succeeded) << c.steps.size();
        EXPECT_EQ(ran, c.ran) << c.steps.size();
    }
}

TEST_F(CommandScriptTest, ALongRunOfImmediateStepsDoesNotNest) {
    std::vector<CommandScript::Step> steps(5000, CommandScript::Step{"ok"});
    EXPECT_EQ(runScript(steps), true);
    EXPECT_EQ(ran.size(), steps.size());
}

}  // namespace
}  // namespace corvend::cli
