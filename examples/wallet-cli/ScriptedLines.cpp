#include "examples/wallet-cli/ScriptedLines.hpp"

#include <iostream>
#include <optional>
#include <utility>

#include "platform/async/MainQueue.hpp"

namespace corvend::cli {

void ScriptedLines::next(Delivery deliver) {
    std::optional<std::string> line;
    if (!lines_.empty()) {
        line = std::move(lines_.front());
        lines_.pop_front();
        // Echoed, so the session reads as if typed.
        std::cout << *line << std::endl;
    }
    platform::MainQueue::shared().async(
        [deliver = std::move(deliver), line = std::move(line)] { deliver(line); });
}

}  // namespace corvend::cli
