#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "examples/wallet-cli/CommandRun.hpp"
#include "examples/wallet-cli/CommandTable.hpp"
#include "examples/wallet-cli/LineSource.hpp"

namespace corvend::cli {

// The interactive session: reads a line, runs it through the command table, and reads the next
// one only when that command has ended, so commands never overlap. Ctrl-C while a command runs
// (see Interruptions) stops it (see CommandRun); the next line is read once it has ended. Use it
// on the thread that drives the main queue.
class Console : public std::enable_shared_from_this<Console> {
  public:
    // `prompt` is written to `out` before each line; empty for none. `out` must outlive the
    // session.
    static std::shared_ptr<Console> make(std::shared_ptr<const CommandTable> table,
                                         std::shared_ptr<LineSource> reader, std::ostream& out,
                                         std::string prompt);

    // Starts the session; `finished` runs once, on the main queue, after `quit`, at the end
    // of the input, or once `out` has failed (output that could not be written). A failed
    // command does not end the session. Call once.
    void start(std::function<void()> finished);

    struct Passkey {};
    Console(Passkey, std::shared_ptr<const CommandTable> table, std::shared_ptr<LineSource> reader,
            std::ostream& out, std::string prompt);

  private:
    void readNext();
    void handle(std::optional<std::string> line);
    void interrupted();
    void stopped(const CommandRun::Stopped& known);
    void finish();

    std::shared_ptr<const CommandTable> table_;
    std::shared_ptr<LineSource> reader_;
    std::ostream& out_;
    std::string prompt_;
    std::function<void()> finished_;
    std::shared_ptr<void> interruptGuard_;
    // The command under way; null between commands.
    std::shared_ptr<CommandRun> run_;
    // Its own end came while it was being stopped.
    bool reported_ = false;
    std::string commandName_;
};

}  // namespace corvend::cli
