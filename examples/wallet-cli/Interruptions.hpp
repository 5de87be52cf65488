#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "examples/wallet-cli/HandlerList.hpp"

namespace corvend::cli {

class CommandRun;

// Where Ctrl-C goes while no line is being typed (a line being typed takes it itself, see
// EditLineReader): to the innermost screen that asked for it, else to the session, which
// stops the command under way (see CommandRun). Thread-safe; handlers run on the caller's
// thread, the main thread in this host.
class Interruptions {
  public:
    using Handler = std::function<void()>;

    // The host's one set: the commands reach it without being handed it.
    static Interruptions& shared();

    // `handler` takes the interruptions until the returned guard goes.
    [[nodiscard]] std::shared_ptr<void> take(Handler handler);

    // The command under way in the session, if any.
    std::shared_ptr<CommandRun> command();
    void setCommand(std::shared_ptr<CommandRun> run);

    // Runs the innermost handler; false when none took the interruptions.
    bool interrupt();
    // A Ctrl-C's signal was taken, on any thread: until its interrupt() runs on the main
    // thread, pending() says so, for work that long holds that thread (printing a page) to
    // cut itself short.
    void arriving();
    bool pending() const { return pending_; }
    // Ctrl-C typed as a key where a line is edited, which the editor reads itself; the answer
    // that line gives ("close") is the Ctrl-C's own.
    void keyed();
    // A person's answer reached what asked for it: the command went on after any Ctrl-C before.
    void answered();
    // Whether a Ctrl-C came that no answer has followed since the command under way started: the
    // command ends by it (a sheet it closed while the flow went on does not count).
    bool came() const;

  private:
    HandlerList<Handler> handlers_;
    mutable std::mutex mutex_;  // guards command_, came_ and keyAnswers_
    std::shared_ptr<CommandRun> command_;
    bool came_ = false;
    // The next answer is the one a Ctrl-C key gave.
    bool keyAnswers_ = false;
    std::atomic<bool> pending_{false};
};

}  // namespace corvend::cli
