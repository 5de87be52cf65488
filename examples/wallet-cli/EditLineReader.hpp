#pragma once

#include <array>
#include <atomic>
#include <cstdio>
#include <functional>
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
// while a person types. Only command lines (those setRecallable takes) enter the history,
// which lives as long as the reader and is never written anywhere: answers (card numbers,
// security codes) never do. While a line is being typed, Ctrl-C is the reader's: it drops a command
// line and asks again, and answers "close" in place of an answer. Ctrl-Z there suspends the host
// (see HostSignals); once it continues, the prompt and the line typed so far are drawn again.
class EditLineReader final : public LineSource,
                             public std::enable_shared_from_this<EditLineReader> {
  public:
    // `screen` fits standard output: what it shows on the unfinished line (the prompt the host
    // wrote) is the editor's prompt, and it learns that the line typed after it ended that
    // line. The editor draws on the terminal, wherever standard output goes, and takes it only
    // when it first reads: a command that reads nothing runs in the background as any program. With
    // `takesInterrupt` Ctrl-C while typing is read as above; without it, it stays the terminal's
    // signal. `queue` and `screen` must outlive every read.
    static std::shared_ptr<EditLineReader> make(platform::MainQueue& queue, LineFitter& screen,
                                                bool takesInterrupt);

    // Reads the next line in a task and posts `deliver` with it to the queue; nullopt at the
    // end of the input (Ctrl-D on an empty line). One read at a time: throws std::logic_error
    // while a read is outstanding.
    void next(Delivery deliver) override;
    void nextCommand(Delivery deliver) override;
    // Drops what was typed at the terminal and not yet read.
    void dropTyped() override;
    // Takes the terminal now, not at the first read: a session reads from its start, and a key
    // typed before its first prompt is the editor's too. Before the first read.
    void takeTerminal();

    // Keeps for recall only the command lines `recallable` takes (none that carries a card
    // number, a security code or a token); it runs in the reading task. Every command line
    // without one. Call before the first read.
    void setRecallable(std::function<bool(const std::string& line)> recallable);

    struct Passkey {};
    EditLineReader(Passkey, LineFitter& screen, bool takesInterrupt);
    ~EditLineReader() override;
    EditLineReader(const EditLineReader&) = delete;
    EditLineReader& operator=(const EditLineReader&) = delete;

  private:
    void read(Delivery deliver, bool command);
    std::optional<std::string> readLine();
    // The editor, made on the first read: making it sets the terminal's modes.
    editline* editor();
    static char* prompt(editline* editor);
    // Reads a character from standard input as the editor does, and Ctrl-C from either the key
    // or the wake-up pipe as the end of an interrupted line. A byte that is no part of a
    // character stands for itself (see kRawByte), so the line is read as typed.
    static int readCharacter(editline* editor, wchar_t* character);
    // Reads more of what is typed into undecoded_, or wakes from a stop; or what the editor is
    // told instead (0 at the end, -1 on an error, 1 for the end of a line ended by Ctrl-C).
    std::optional<int> readMore(editline* editor);
    // Wakes the reading task; one pending wake-up stands for any number, so the signal
    // thread never waits on it.
    void wake();
    // Draws the line again after a stop, or learns the window's new size; in the reading task.
    void followTerminal(editline* editor);

    LineFitter& screen_;
    const bool takesInterrupt_;
    std::unique_ptr<history, void (*)(history*)> history_;
    // The terminal the editor draws on: standard output when it is the terminal.
    std::unique_ptr<FILE, void (*)(FILE*)> out_;
    std::unique_ptr<editline, void (*)(editline*)> editor_;
    std::shared_ptr<LineReader> reader_;  // reads with readLine()
    // The prompt of the read under way and whether it reads a command; set before its task
    // starts, read by the editor in it.
    std::string prompt_;
    bool command_ = false;
    std::function<bool(const std::string&)> recallable_;
    // Ctrl-C ended the line being typed; only the reading task touches it.
    bool interrupted_ = false;
    // Bytes read and not yet given to the editor as characters; the reading task's.
    std::string undecoded_;
    // While a line is read, Ctrl-C is this reader's, not the screens' behind it.
    std::shared_ptr<void> interruptGuard_;
    // Written when Ctrl-C arrives as a signal during a read, or when the terminal was given
    // back after a stop or resized; the flags say which. It holds a byte while woken_ is set.
    std::array<int, 2> wake_{-1, -1};
    std::atomic<bool> woken_{false};
    std::atomic<bool> keyedInterrupt_{false};
    std::atomic<bool> redraw_{false};
    std::atomic<bool> resize_{false};
    std::shared_ptr<void> terminalGuard_;
};

}  // namespace corvend::cli
