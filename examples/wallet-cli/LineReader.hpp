#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "examples/wallet-cli/LineSource.hpp"
#include "platform/async/MainQueue.hpp"

namespace corvend::cli {

// Reads an input stream one line per request, off the main thread, so that the thread driving
// the main queue never blocks on input and kit completions keep arriving while a person types.
class LineReader final : public LineSource, public std::enable_shared_from_this<LineReader> {
  public:
    // Blocks until the next line is read; nullopt at the end of the input.
    using Read = std::function<std::optional<std::string>()>;

    // `input` and `queue` must outlive every read.
    static std::shared_ptr<LineReader> make(std::istream& input, platform::MainQueue& queue);
    // Reads each line with `read`, in a task; `queue` must outlive every read.
    static std::shared_ptr<LineReader> make(Read read, platform::MainQueue& queue);

    // Reads the next line in a task and posts `deliver` with it to the queue. One read at a
    // time: throws std::logic_error while a read is outstanding. Once the end of the input was
    // delivered, later reads deliver nullopt again.
    void next(Delivery deliver) override;

    struct Passkey {};
    LineReader(Passkey, Read read, platform::MainQueue& queue);

  private:
    const Read read_;
    platform::MainQueue& queue_;
    std::mutex mutex_;
    bool reading_ = false;
};

}  // namespace corvend::cli
