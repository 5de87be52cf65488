#include "examples/wallet-cli/ChoiceMenu.hpp"

#include <algorithm>
#include <cctype>
#include <functional>
#include <ostream>
#include <utility>

#include "examples/wallet-cli/LineFitter.hpp"
#include "examples/wallet-cli/TerminalText.hpp"

namespace corvend::cli {

namespace {

std::string lowered(std::string text) {
    std::ranges::transform(text, text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// `text` without a leading glyph such as "[?] " or "[ ] ".
std::string withoutGlyph(const std::string& text) {
    if (!text.starts_with('[')) return text;
    const auto close = text.find("] ");
    return close == std::string::npos ? text : trimmed(text.substr(close + 2));
}

}  // namespace

std::size_t ChoiceMenu::KeyHash::operator()(const Key& key) const noexcept {
    const std::size_t control = std::hash<const void*>{}(key.first);
    return std::hash<std::string>{}(key.second) ^ (control + 0x9e3779b97f4a7c15U + (control << 6));
}

std::size_t ChoiceMenu::numberOf(const Choice& choice) {
    Key key{choice.control, choice.target};
    if (!numbers_.empty()) keysLookedAt_ += numbers_.bucket_size(numbers_.bucket(key));
    const auto next = numbers_.size() + 1;
    return numbers_.try_emplace(std::move(key), next).first->second;
}

void ChoiceMenu::show(std::ostream& out, std::string_view heading, std::vector<Choice> choices,
                      std::string_view words) {
    list(out, heading, std::move(choices));
    printMore(out, listed_.size(), words);
}

void ChoiceMenu::list(std::ostream& out, std::string_view heading, std::vector<Choice> choices) {
    listed_.clear();
    // At once: a page of many links grows no list twice its size.
    listed_.reserve(choices.size());
    printed_ = 0;
    for (auto& choice : choices) {
        // Words from elsewhere (a saved card's name, a page's link) keep to their line, and are
        // answered as they show.
        choice.name = TerminalText::inLine(choice.name);
        choice.detail = TerminalText::inLine(choice.detail);
        const auto number = numberOf(choice);
        listed_.emplace_back(number, std::move(choice));
    }
    std::ranges::sort(listed_, {}, [](const auto& entry) { return entry.first; });
    out << heading << "\n";
}

bool ChoiceMenu::printMore(std::ostream& out, std::size_t count, std::string_view words) {
    const auto end = printed_ + std::min(count, listed_.size() - printed_);
    for (; printed_ < end; ++printed_) {
        const auto& [number, choice] = listed_[printed_];
        out << "  [" << number << "] ";
        if (!choice.mark.empty()) out << choice.mark << " ";
        if (choice.unavailable && choice.detail.empty() && choice.name.ends_with(')')) {
            // One pair of parentheses: "(optional, disabled)".
            out << std::string_view(choice.name).substr(0, choice.name.size() - 1)
                << ", disabled)\n";
            continue;
        }
        if (choice.fromPage) LineFitter::pageWordsFollow(out);
        out << choice.name;
        if (!choice.detail.empty()) out << ": " << choice.detail;
        if (choice.unavailable) out << " (disabled)";
        out << "\n";
    }
    if (printed_ < listed_.size()) return false;
    if (!words.empty()) out << "  " << words << "\n";
    out << "> " << std::flush;
    return true;
}

bool ChoiceMenu::isWord(const std::string& answer, std::string_view word) {
    return lowered(trimmed(answer)) == word;
}

bool ChoiceMenu::isClose(const std::string& answer) {
    return isWord(answer, "close") || isWord(answer, "quit") || isWord(answer, "exit");
}

ChoiceMenu::Answer ChoiceMenu::choose(std::ostream& out, const std::string& answer) {
    const std::string wanted = lowered(trimmed(answer));
    if (wanted.empty()) {
        out << "type a number or a name from the list" << std::endl;
        return Answer::empty;
    }
    const std::string named = withoutGlyph(wanted);
    auto found = std::ranges::find_if(
        listed_, [&](const auto& entry) { return wanted == std::to_string(entry.first); });
    if (found == listed_.end()) {
        // By name: only a name no other listed choice shows too.
        std::string numbers;
        for (auto entry = listed_.begin(); entry != listed_.end(); ++entry) {
            if (named != withoutGlyph(lowered(entry->second.name))) continue;
            numbers += (numbers.empty() ? "" : ", ") + std::to_string(entry->first);
            if (found == listed_.end()) found = entry;
        }
        if (found != listed_.end() && numbers.find(',') != std::string::npos) {
            out << "'" << trimmed(answer) << "' names several choices (" << numbers
                << "): type the number of the one meant" << std::endl;
            return Answer::ambiguous;
        }
    }
    if (found == listed_.end()) {
        out << "no such choice: " << answer << std::endl;
        return Answer::unknown;
    }
    const Choice& choice = found->second;
    if (choice.unavailable) {
        out << "'" << choice.name << "' is disabled: " << *choice.unavailable << std::endl;
        return Answer::unavailable;
    }
    // The choice may replace this menu's listing: run a copy.
    const auto act = choice.act;
    act();
    return Answer::chosen;
}

}  // namespace corvend::cli
