#pragma once

#include <memory>
#include <optional>
#include <string>

#include "examples/wallet-cli/LineFitter.hpp"
#include "examples/wallet-cli/LineReader.hpp"
#include "examples/wallet-cli/LineSource.hpp"
#include "platform/async/MainQueue.hpp"

struct editline;
struct history;

namespace corvend::cli {

// Reads lines a person types at the terminal on standard input, with the line editing and the
// history of the system's line-editing library: the arrow keys move in the line and recall
// earlier ones. Reads through a LineReader, off the main thread, so kit completions keep arriving
// while a person types. The history lives as long as the reader and is never written anywhere
// (card numbers and security codes are typed here too).
class EditLineReader final : public LineSource,
                             public std::enable_shared_from_this<EditLineReader> {
  public:
    // `screen` fits standard output: what it shows on the unfinished line (the prompt the host
    // wrote) is the editor's prompt, and it learns that the line typed after it ended that
    // line. `queue` and `screen` must outlive every read.
    static std::shared_ptr<EditLineReader> make(platform::MainQueue& queue, LineFitter& screen);

    // Reads the next line in a task and posts `deliver` with it to the queue; nullopt at the
    // end of the input (Ctrl-D on an empty line). One read at a time: throws std::logic_error
    // while a read is outstanding.
    void next(Delivery deliver) override;

    struct Passkey {};
    EditLineReader(Passkey, LineFitter& screen);

  private:
    std::optional<std::string> readLine();
    static char* prompt(editline* editor);

    LineFitter& screen_;
    std::unique_ptr<history, void (*)(history*)> history_;
    std::unique_ptr<editline, void (*)(editline*)> editor_;
    std::shared_ptr<LineReader> reader_;  // reads with readLine()
    // The prompt of the read under way; set before its task starts, read by the editor in it.
    std::string prompt_;
};

}  // namespace corvend::cli
