#pragma once

#include <functional>
#include <optional>
#include <string>

namespace corvend::cli {

// Where the interactive session takes its lines from, one per request.
class LineSource {
  public:
    // The next line without its end of line, or nullopt at the end of the input; delivered on
    // the thread that drives the main queue.
    using Delivery = std::function<void(std::optional<std::string>)>;

    virtual ~LineSource() = default;

    // Asks for the next line; `deliver` runs once with it. One request at a time.
    virtual void next(Delivery deliver) = 0;

  protected:
    LineSource() = default;
    LineSource(const LineSource&) = default;
    LineSource& operator=(const LineSource&) = default;
};

}  // namespace corvend::cli
