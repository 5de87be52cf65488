#pragma once

#include <memory>

#include "examples/wallet-cli/LineSource.hpp"

namespace corvend::cli {

// The session's one way to its lines: the prompt and every command's questions read through
// it, so there is one read of the source at a time whoever asks. A request made while a read
// is under way takes that read's line in place of the earlier asker. An answer reaches the
// command that asked only while it runs (see CommandRun): a command stopped by Ctrl-C gets no
// more answers, and asks none. Main thread.
class SessionLines final : public LineSource, public std::enable_shared_from_this<SessionLines> {
  public:
    static std::shared_ptr<SessionLines> make(std::shared_ptr<LineSource> source);

    void next(Delivery deliver) override;
    void nextCommand(Delivery deliver) override;

    struct Passkey {};
    SessionLines(Passkey, std::shared_ptr<LineSource> source);

  private:
    void read(Delivery deliver, bool command);

    const std::shared_ptr<LineSource> source_;
    bool reading_ = false;
    Delivery waiting_;
};

}  // namespace corvend::cli
