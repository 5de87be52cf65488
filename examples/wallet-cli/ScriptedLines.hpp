#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "examples/wallet-cli/LineSource.hpp"

namespace corvend::cli {

// A fixed list of lines handed out one per request, each through the main queue as a typed
// line would arrive; then the end of the input. Main thread.
class ScriptedLines final : public LineSource, public std::enable_shared_from_this<ScriptedLines> {
  public:
    explicit ScriptedLines(std::vector<std::string> lines) : lines_(lines.begin(), lines.end()) {}

    void next(Delivery deliver) override;

  private:
    std::deque<std::string> lines_;
};

}  // namespace corvend::cli
