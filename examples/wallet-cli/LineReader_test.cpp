#include "examples/wallet-cli/LineReader.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace corvend::cli {
namespace {

using namespace std::chrono_literals;

// Generous: only a broken reader ever waits this long.
constexpr auto kSafetyNet = std::chrono::milliseconds(10s);

TEST(LineReaderTest, DeliversEachLineInOrderOnTheDrivingThreadThenTheEnd) {
    platform::MainQueue queue;
    std::istringstream input("configure\r\n\nauthenticate token\nlast without newline");
    auto reader = LineReader::make(input, queue);

    std::vector<std::optional<std::string>> lines;
    bool ended = false;
    bool offThread = false;
    const auto driver = std::this_thread::get_id();
    std::function<void()> readOne = [&] {
        reader->next([&](std::optional<std::string> line) {
            offThread = offThread || std::this_thread::get_id() != driver;
            ended = !line.has_value();
            lines.push_back(std::move(line));
            // Asking again from the delivery itself is allowed.
            if (!ended) readOne();
        });
    };
    readOne();
    ASSERT_TRUE(queue.runUntil([&] { return ended; }, kSafetyNet));

    const std::vector<std::optional<std::string>> expected{"configure", "", "authenticate token",
                                                           "last without newline", std::nullopt};
    EXPECT_EQ(lines, expected);
    EXPECT_FALSE(offThread);
}

}  // namespace
}  // namespace corvend::cli
