#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace corvend::cli {

// The numbered choices of one screen. A choice keeps the number it was first listed with for as
// long as the menu lives, whether it is enabled, disabled or left out of a later listing; one
// never listed before takes the next number. So a number a person has read keeps meaning the
// same control while the screen is up. A choice is answered by its number or its name, in any
// case, with or without the glyph shown before it ("[?]", "[x]"); a name several choices share
// chooses none of them. Main thread.
class ChoiceMenu {
  public:
    struct Choice {
        // What the number stays with: the control, and which of its targets for a control that
        // offers several (a text's links, a page's links); a renamed control keeps its number.
        const void* control = nullptr;
        std::string target{};
        std::string name;
        // The name is a page's words (a link's): every line it takes carries the page mark.
        bool fromPage = false;
        std::function<void()> act{};
        // Shown before the name, a glyph such as "[?]" or a checkbox's "[x]"; not part of it.
        std::string mark{};
        // Why it cannot be chosen now: listed as "(disabled)", said when chosen.
        std::optional<std::string> unavailable{};
        // Shown after the name; not part of it.
        std::string detail{};
    };

    enum class Answer { chosen, unavailable, empty, unknown, ambiguous };

    // Prints `heading`, the choices by number, `words` (the answers the caller handles itself,
    // none when empty) and the prompt. Replaces the choices an answer is matched against.
    void show(std::ostream& out, std::string_view heading, std::vector<Choice> choices,
              std::string_view words);
    // show() in parts, for a listing too long to print at once: list() prints the heading and
    // replaces the choices; each printMore() prints up to `count` more of them, then, once all
    // are printed, `words` and the prompt, and says whether it has.
    void list(std::ostream& out, std::string_view heading, std::vector<Choice> choices);
    bool printMore(std::ostream& out, std::size_t count, std::string_view words);

    // Runs the listed choice that `answer` names by number or name. A disabled one is not run:
    // why is printed. An empty answer, one naming nothing, or a name several choices share (with
    // their numbers) is said to `out` too.
    Answer choose(std::ostream& out, const std::string& answer);

    // Whether `answer` is `word` (lower-case), in any case and with blanks around it.
    static bool isWord(const std::string& answer, std::string_view word);
    // Whether `answer` asks to close what is shown: "close", "quit" or "exit".
    static bool isClose(const std::string& answer);

    // How many numbered choices the numbering has looked at: about one for each choice listed,
    // however many were numbered before it.
    std::size_t keysLookedAt() const { return keysLookedAt_; }

  private:
    // What a number stays with: the control and its target.
    using Key = std::pair<const void*, std::string>;
    struct KeyHash {
        std::size_t operator()(const Key& key) const noexcept;
    };

    std::size_t numberOf(const Choice& choice);

    std::unordered_map<Key, std::size_t, KeyHash> numbers_;
    std::size_t keysLookedAt_ = 0;
    // By number.
    std::vector<std::pair<std::size_t, Choice>> listed_;
    std::size_t printed_ = 0;
};

}  // namespace corvend::cli
