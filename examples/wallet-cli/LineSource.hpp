#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>

namespace corvend::cli {

// Where the interactive session takes its lines from, one per request.
class LineSource {
  public:
    // The next line without its end of line, or nullopt at the end of the input; delivered on
    // the thread that drives the main queue.
    using Delivery = std::function<void(std::optional<std::string>)>;

    virtual ~LineSource() = default;

    // Asks for the next line, an answer to what the host asked; `deliver` runs once with it.
    // One request at a time. An answer is never kept for recall (card numbers and security
    // codes are answers); Ctrl-C at a terminal answers "close".
    virtual void next(Delivery deliver) = 0;
    // Asks for the next command line, which a line editor keeps for recall.
    virtual void nextCommand(Delivery deliver) { next(std::move(deliver)); }
    // Drops what a person typed that no request has read yet: lines typed for a flow that
    // ended without them. Only a terminal drops anything; a script's lines are all meant.
    virtual void dropTyped() {}

  protected:
    LineSource() = default;
    LineSource(const LineSource&) = default;
    LineSource& operator=(const LineSource&) = default;
};

}  // namespace corvend::cli
