#pragma once

#include <memory>

#include "examples/wallet-cli/LineSource.hpp"

namespace corvend::cli {

// The session's one way to its lines: the prompt and every command's questions read through
// it, so there is one read of the source at a time whoever asks. A request made while a read
// is under way takes that read's line in place of the earlier asker. An answer reaches the
// command that asked only while it runs (see CommandRun): a command stopped by Ctrl-C gets no
// more answers, and asks none. Once a command that asked for answers (a form's fields, a menu,
// a page) has ended, what was typed for it and not read is dropped before the next command line
// is read: it was meant for the flow, never as commands. Main thread.
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
    // An answer was asked for since the last command line.
    bool answersAsked_ = false;
};

}  // namespace corvend::cli
