#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "examples/wallet-cli/CommandRun.hpp"
#include "examples/wallet-cli/CommandTable.hpp"
#include "platform/async/MainQueue.hpp"

namespace corvend::cli {

// A fixed run of commands, each started once the one before it has ended. Each runs as the
// session's command (see CommandRun): Ctrl-C, or a change's lost reply, stops it and the run
// there, and what is known is said to `out`. Use it on the thread that drives the main queue.
class CommandScript : public std::enable_shared_from_this<CommandScript> {
  public:
    // One step: the command's name, then its arguments.
    using Step = std::vector<std::string>;

    // `queue` and `out` must outlive the run.
    static std::shared_ptr<CommandScript> make(std::shared_ptr<const CommandTable> table,
                                               platform::MainQueue& queue, std::vector<Step> steps,
                                               std::ostream& out);

    // Runs the steps in order and stops at the first that fails or is misused, or once `out`
    // has failed (see CommandRun); a step ending with `quit` stops the run as a success. `finished`
    // runs once, on the queue, with `succeeded` or how the step that stopped the run ended
    // (`failed` when it was stopped, Ctrl-C's words said). Each step starts from a job of its own
    // on the queue, so a long run of commands that end at once does not nest calls. Call once.
    void start(std::function<void(Outcome)> finished);

    struct Passkey {};
    CommandScript(Passkey, std::shared_ptr<const CommandTable> table, platform::MainQueue& queue,
                  std::vector<Step> steps, std::ostream& out);

  private:
    void runNext();
    void interrupted();
    void stopped(const std::string& command, const CommandRun::Stopped& known);
    void finish(Outcome outcome);

    std::shared_ptr<const CommandTable> table_;
    platform::MainQueue& queue_;
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    std::ostream& out_;
    std::function<void(Outcome)> finished_;
    std::shared_ptr<CommandRun> run_;
    std::shared_ptr<void> interruptGuard_;
    bool interrupted_ = false;
    // The stopped command's own end came meanwhile: it said what it did.
    bool reported_ = false;
};

}  // namespace corvend::cli
