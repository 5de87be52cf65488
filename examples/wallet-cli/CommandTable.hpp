#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvend::cli {

// How a command ended: `failed` when it did not do what it was asked, `misused` when its words
// are no use of it (a usage error); `quit` asks the interactive loop to end.
enum class Outcome { succeeded, failed, misused, quit };

// The host's commands by name: one entry per command, each with its own handler, so a new
// command is one `add` call. Built with `help [command]`, and `quit` and `exit`.
//
// Not thread-safe: use it on the thread that drives the main queue.
class CommandTable {
  public:
    // Called once with how the command ended. Handlers finishing asynchronously call it later,
    // on the thread that drives the main queue.
    using Done = std::function<void(Outcome)>;
    using Handler = std::function<void(const std::vector<std::string>& arguments, Done done)>;

    // An argument or option of a usage ("<amount>", "[ref]", "--saved-card ID") and what it
    // means.
    struct Meaning {
        std::string argument{};
        std::string meaning{};
    };

    struct Command {
        std::string name{};
        // The arguments as shown by `help`, e.g. "[token]".
        std::string usage{};
        std::string summary{};
        // What each argument and option of the usage means, as `help <command>` tells it.
        std::vector<Meaning> meanings{};
        std::size_t minArguments = 0;
        std::size_t maxArguments = 0;
        Handler handler{};
        // Runs without the service (no configuration needed).
        bool offline = false;
        // The words of the usage that carry a secret ("<cvv>", "[access-token]"): a line that
        // gives one is never kept for recall (see carriesSecret).
        std::vector<std::string> secretWords{};
    };

    // Messages of the table itself (help, usage and unknown-command texts) go to `out` and
    // `err`, which must outlive the table.
    CommandTable(std::ostream& out, std::ostream& err);

    // Pinned: the built-in commands refer to the table.
    CommandTable(const CommandTable&) = delete;
    CommandTable& operator=(const CommandTable&) = delete;

    // Adds `command`, replacing any command of the same name. Throws std::invalid_argument for
    // an empty or blank-containing name, a missing handler or minArguments > maxArguments.
    void add(Command command);

    bool contains(std::string_view name) const;
    // A known command that is not offline.
    bool needsService(std::string_view name) const;

    // While `unready` gives a reason, a command that is not offline is refused with it before its
    // handler runs. Without one every command runs.
    void setReadiness(std::function<std::optional<std::string>()> unready);

    // The help of every command (each usage and summary), or of the one named (with what its
    // arguments mean), wrapped to fit `width` columns.
    void printHelp(std::ostream& out, std::optional<std::string_view> name = std::nullopt,
                   std::size_t width = 80) const;

    // Whether the command line `words` gives a secret word of its command: the usage's form
    // that the line's first argument names ("activate" in "... | activate <card> <cvv>"), or
    // its form without a leading word, places the secret words. A line of a command with secret
    // words that no form reads is taken to carry one, as it may be one mistyped. Reads only the
    // commands, so it may run on any thread once the table is no longer changed.
    bool carriesSecret(const std::vector<std::string>& words) const;

    // Whether the command line `words` may be kept for recall: it names a command of the table
    // as the table knows it, is a use of it (as many words as it takes, none blank; for `help`
    // the name of a command) and gives none of its secret words. Anything else may be a secret
    // mistyped. Reads only the commands, as carriesSecret does.
    bool recallable(const std::vector<std::string>& words) const;

    // Runs words[0] with the remaining words as its arguments. An unknown name (an unknown
    // option when it starts with "-"), a wrong number of arguments or an empty or blank
    // argument (every word given stands for a value) prints a hint and ends `misused` without
    // calling any handler; an exception thrown by the handler before it
    // called `done` is printed and ends `misused` for std::invalid_argument (words it refused),
    // `failed` for any other. An empty `words` ends `succeeded`. `done` is
    // called exactly once.
    void run(const std::vector<std::string>& words, Done done) const;

    // Splits `line` into words at runs of blanks. A word that opens with a double quote runs,
    // blanks and all, to the next double quote (or the end of the line), without the quotes.
    static std::vector<std::string> split(std::string_view line);

  private:
    // Whether `arguments` are a use of `command` as far as the table can tell: as many as it
    // takes, none blank.
    static bool fits(const Command& command, const std::vector<std::string>& arguments);

    std::ostream& out_;
    std::ostream& err_;
    std::map<std::string, Command, std::less<>> commands_;
    std::function<std::optional<std::string>()> unready_;
};

}  // namespace corvend::cli
