#include "examples/wallet-cli/FieldNote.hpp"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "examples/wallet-cli/CommandWords.hpp"
#include "platform/foundation/Unicode.hpp"

namespace corvend::cli {

namespace unicode = platform::unicode;

namespace {

// A blank or a dash groups what is typed; a field groups it its own way.
bool isGrouping(char32_t key) {
    return key == U' ' || key == U'-';
}

std::string reading(std::string_view text, bool slashes) {
    std::string kept;
    for (const char c : text) {
        if (!isGrouping(static_cast<unsigned char>(c)) && (slashes || c != '/')) kept += c;
    }
    return kept;
}

std::size_t digitCount(std::string_view text) {
    return static_cast<std::size_t>(
        std::ranges::count_if(unicode::scalars(text), unicode::isDecimalDigit));
}

}  // namespace

bool readsAsTyped(std::string_view typed, std::string_view kept) {
    const bool slashes = typed.find('/') != std::string_view::npos;
    return reading(typed, slashes) == reading(kept, slashes);
}

std::optional<std::string> typeWithNote(platform::ui::TextField& field, std::string_view typed) {
    // The number pad's fields take digits; the others characters.
    const bool digits = field.keyboardType() == platform::ui::KeyboardType::numberPad;
    // What the field's answers to the keys showed: a key other than a digit refused, a key of
    // its kind refused once it held this many, the "/" it put in itself after this many
    // digits, and a "/" typed where it had none.
    bool digitsOnly = false;
    std::optional<std::size_t> atMost;
    std::optional<std::size_t> slashAfter;
    bool slashRefused = false;
    for (const char32_t key : unicode::scalars(typed)) {
        const std::string before = field.text();
        field.type(unicode::utf8(std::u32string(1, key)));
        const std::string& after = field.text();
        if (after != before) {
            if (key != U'/' && std::ranges::count(after, '/') > std::ranges::count(before, '/'))
                slashAfter = digitCount(after);
            continue;
        }
        if (isGrouping(key)) continue;
        if (key == U'/') {
            // Refused after the field's own "/", it is that one.
            if (before.ends_with('/')) continue;
            slashRefused = true;
        }
        if (digits && !unicode::isDecimalDigit(key)) {
            digitsOnly = true;
        } else if (!atMost) {
            atMost = digits ? digitCount(before) : unicode::characterCount(before);
        }
    }
    const std::string& kept = field.text();
    if (readsAsTyped(typed, kept)) return std::nullopt;

    std::vector<std::string> takes;
    if (digitsOnly) takes.emplace_back("digits only");
    if (atMost) takes.push_back("at most " + counted(*atMost, digits ? "digit" : "character"));
    std::string rule = takes.empty() ? "" : "takes " + joined(takes, ", ");
    if (slashRefused && slashAfter) {
        rule += (rule.empty() ? "" : ", and ") + std::string("puts in the / itself after ") +
                counted(*slashAfter, "digit");
    }
    if (rule.empty()) rule = "does not take all of it";
    return field.placeholder().value_or("text") + ": " + rule + "; kept " +
           (kept.empty() ? std::string("nothing") : kept);
}

}  // namespace corvend::cli
