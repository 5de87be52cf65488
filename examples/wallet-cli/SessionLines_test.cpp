#include "examples/wallet-cli/SessionLines.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "examples/wallet-cli/CommandRun.hpp"

namespace corvend::cli {
namespace {

using ::testing::ElementsAre;

// Counts its reads; fails the test on a second one while one is under way, as a line editor
// refuses it.
struct CountingLines final : LineSource {
    void next(Delivery deliver) override {
        EXPECT_FALSE(pending) << "a line is already being read";
        pending = std::move(deliver);
        ++reads;
    }
    void dropTyped() override { ++drops; }
    Delivery pending;
    int reads = 0;
    int drops = 0;
};

// Whoever asks, one read at a time: a late asker takes the read under way; a stopped command
// asks nothing and is told nothing.
TEST(SessionLinesTest, OneReadAtATimeAndNoneForAStoppedCommand) {
    const auto source = std::make_shared<CountingLines>();
    const auto lines = SessionLines::make(source);
    std::vector<std::string> got;
    const auto asker = [&got](std::string who) {
        return [&got, who](std::optional<std::string> line) { got.push_back(who + ":" + *line); };
    };

    const auto run = CommandRun::make([](const CommandRun::Stopped&) {});
    CommandRun::setCurrent(run);
    lines->next(asker("screen"));
    run->stop();
    lines->next(asker("stopped"));
    CommandRun::setCurrent(nullptr);
    lines->nextCommand(asker("prompt"));
    EXPECT_EQ(source->reads, 1);
    std::exchange(source->pending, nullptr)("balance");

    CommandRun::setCurrent(run);
    lines->next(asker("stopped"));
    CommandRun::setCurrent(nullptr);
    EXPECT_EQ(source->reads, 1);

    // An answer read for a command stopped meanwhile is dropped.
    const auto screen = CommandRun::make([](const CommandRun::Stopped&) {});
    CommandRun::setCurrent(screen);
    lines->next(asker("screen"));
    CommandRun::setCurrent(nullptr);
    screen->stop();
    std::exchange(source->pending, nullptr)("4111111111111111");
    EXPECT_THAT(got, ElementsAre("prompt:balance"));
}

// What was typed for a command that asked for answers and not read by it is dropped before the
// next command line; after a command that asked for none, what was typed ahead is read.
TEST(SessionLinesTest, DropsWhatWasTypedForAFlowOnceItEnded) {
    const auto source = std::make_shared<CountingLines>();
    const auto lines = SessionLines::make(source);
    const auto read = [&source](std::string line) {
        std::exchange(source->pending, nullptr)(std::move(line));
    };
    lines->nextCommand([](auto) {});
    read("card-deposit 5 EUR");
    lines->next([](auto) {});
    read("new card");
    EXPECT_EQ(source->drops, 0);
    lines->nextCommand([](auto) {});
    EXPECT_EQ(source->drops, 1);
    read("cards list");
    lines->nextCommand([](auto) {});
    EXPECT_EQ(source->drops, 1);
    read("quit");
}

}  // namespace
}  // namespace corvend::cli
