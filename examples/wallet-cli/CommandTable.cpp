#include "examples/wallet-cli/CommandTable.hpp"

#include <algorithm>
#include <exception>
#include <memory>
#include <optional>
#include <ostream>
#include <ranges>
#include <span>
#include <stdexcept>
#include <utility>

namespace corvend::cli {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool isBlankWord(const std::string& word) {
    return std::ranges::all_of(word, isBlank);
}

// Whether `word` is one of the words of `choices`, joined by "|" ("create|confirm|get").
bool isOneOf(std::string_view word, std::string_view choices) {
    for (const auto choice : std::views::split(choices, '|')) {
        if (std::string_view(choice.begin(), choice.end()) == word) return true;
    }
    return false;
}

}  // namespace

CommandTable::CommandTable(std::ostream& out, std::ostream& err) : out_(out), err_(err) {
    add({.name = "help",
         .usage = "[command]",
         .summary = "list the commands, or tell how to use one",
         .meanings = {{"[command]", "the command to tell about; all of them when left out"}},
         .maxArguments = 1,
         .handler =
             [this](const std::vector<std::string>& arguments, Done done) {
                 if (!arguments.empty() && !contains(arguments.front())) {
                     err_ << "unknown command '" << arguments.front()
                          << "'; 'help' lists the commands" << std::endl;
                     return done(Outcome::misused);
                 }
                 printHelp(out_, arguments.empty() ? std::nullopt
                                                   : std::optional<std::string_view>(arguments[0]));
                 done(Outcome::succeeded);
             },
         .offline = true});
    for (const char* name : {"quit", "exit"}) {
        add({.name = name,
             .usage = "",
             .summary = "end the session",
             .handler = [](const std::vector<std::string>&, Done done) { done(Outcome::quit); },
             .offline = true});
    }
}

void CommandTable::add(Command command) {
    if (command.name.empty() || std::ranges::any_of(command.name, isBlank)) {
        throw std::invalid_argument("command name must be one non-empty word");
    }
    if (!command.handler)
        throw std::invalid_argument("command '" + command.name + "' has no handler");
    if (command.minArguments > command.maxArguments) {
        throw std::invalid_argument("command '" + command.name + "' takes fewer than it needs");
    }
    auto name = command.name;
    commands_.insert_or_assign(std::move(name), std::move(command));
}

bool CommandTable::contains(std::string_view name) const {
    return commands_.contains(name);
}

bool CommandTable::needsService(std::string_view name) const {
    const auto found = commands_.find(name);
    return found != commands_.end() && !found->second.offline;
}

void CommandTable::setReadiness(std::function<std::optional<std::string>()> unready) {
    unready_ = std::move(unready);
}

void CommandTable::run(const std::vector<std::string>& words, Done done) const {
    if (words.empty()) {
        done(Outcome::succeeded);
        return;
    }
    const auto found = commands_.find(words.front());
    if (found == commands_.end()) {
        err_ << (words.front().starts_with('-') ? "unknown option '" : "unknown command '")
             << words.front() << "'; 'help' lists the commands" << std::endl;
        done(Outcome::misused);
        return;
    }
    const Command& command = found->second;
    const std::vector<std::string> arguments(words.begin() + 1, words.end());
    if (!fits(command, arguments)) {
        if (std::ranges::any_of(arguments, isBlankWord))
            err_ << command.name << ": an empty word where a value is needed" << std::endl;
        err_ << "usage: " << command.name << (command.usage.empty() ? "" : " ") << command.usage
             << std::endl;
        done(Outcome::misused);
        return;
    }

    if (!command.offline && unready_) {
        if (const auto reason = unready_()) {
            err_ << command.name << ": " << *reason << std::endl;
            done(Outcome::failed);
            return;
        }
    }

    // Guards the exactly-once promise against a handler that both reports and throws.
    auto pending = std::make_shared<Done>(std::move(done));
    auto once = [pending](Outcome outcome) {
        if (!*pending) return;
        auto call = std::exchange(*pending, nullptr);
        call(outcome);
    };
    try {
        command.handler(arguments, once);
    } catch (const std::invalid_argument& error) {
        err_ << command.name << ": " << error.what() << std::endl;
        once(Outcome::misused);
    } catch (const std::exception& error) {
        err_ << command.name << ": " << error.what() << std::endl;
        once(Outcome::failed);
    }
}

bool CommandTable::fits(const Command& command, const std::vector<std::string>& arguments) {
    return !std::ranges::any_of(arguments, isBlankWord) &&
           arguments.size() >= command.minArguments && arguments.size() <= command.maxArguments;
}

bool CommandTable::recallable(const std::vector<std::string>& words) const {
    if (words.empty()) return false;
    const auto found = commands_.find(words.front());
    if (found == commands_.end()) return false;
    const std::vector<std::string> arguments(words.begin() + 1, words.end());
    if (!fits(found->second, arguments)) return false;
    if (found->first == "help" && !arguments.empty() && !contains(arguments.front())) return false;
    return !carriesSecret(words);
}

bool CommandTable::carriesSecret(const std::vector<std::string>& words) const {
    if (words.size() < 2) return false;
    const auto found = commands_.find(words.front());
    if (found == commands_.end() || found->second.secretWords.empty()) return false;
    const Command& command = found->second;
    const std::span<const std::string> arguments(words.begin() + 1, words.end());
    const auto isSecret = [&](std::string_view word) {
        return std::ranges::find(command.secretWords, word) != command.secretWords.end();
    };
    std::optional<bool> unled;
    std::string_view usage = command.usage;
    while (!usage.empty()) {
        // The forms are set apart by " | "; a "|" inside a word ("create|confirm") joins the
        // leading words one form takes.
        const auto bar = usage.find(" | ");
        const auto form = split(usage.substr(0, bar));
        usage = bar == std::string_view::npos ? std::string_view() : usage.substr(bar + 3);
        if (form.empty()) continue;
        const bool led = !form.front().starts_with('<') && !form.front().starts_with('[');
        if (led && !isOneOf(arguments.front(), form.front())) continue;
        bool secret = false;
        for (std::size_t i = 0; i < form.size() && i < arguments.size(); ++i)
            secret = secret || isSecret(form[i]);
        if (led) return secret;
        unled = secret;
    }
    return unled.value_or(true);
}

std::vector<std::string> CommandTable::split(std::string_view line) {
    std::vector<std::string> words;
    auto at = line.begin();
    while (at != line.end()) {
        at = std::find_if_not(at, line.end(), isBlank);
        if (at == line.end()) break;
        if (*at == '"') {
            // Only a double quote opens a text: an apostrophe is part of a word ("don't").
            const auto end = std::find(at + 1, line.end(), '"');
            words.emplace_back(at + 1, end);
            at = end == line.end() ? end : end + 1;
            continue;
        }
        const auto end = std::find_if(at, line.end(), isBlank);
        words.emplace_back(at, end);
        at = end;
    }
    return words;
}

void CommandTable::printHelp(std::ostream& out, std::optional<std::string_view> name,
                             std::size_t width) const {
    // Words run on a line up to `width` columns; the first line indented by `first`, the
    // others by `rest`. A word longer than a line stands on its own.
    const auto wrapped = [width](std::string_view text, std::size_t first, std::size_t rest) {
        std::string result;
        std::string line(first, ' ');
        bool empty = true;
        for (const auto& word : split(text)) {
            if (!empty && line.size() + 1 + word.size() > width) {
                result += line + '\n';
                line.assign(rest, ' ');
                empty = true;
            }
            if (!empty) line += ' ';
            line += word;
            empty = false;
        }
        return result + line;
    };
    const auto print = [&](const Command& command) {
        out << wrapped(command.name + " " + command.usage, 2, 6) << '\n'
            << wrapped(command.summary, 4, 4) << '\n';
    };
    if (name) {
        if (const auto found = commands_.find(*name); found != commands_.end()) {
            print(found->second);
            for (const auto& [argument, meaning] : found->second.meanings)
                out << wrapped(argument + ": " + meaning, 4, 8) << '\n';
        }
        out.flush();
        return;
    }
    out << "commands (help <command> tells one):" << '\n';
    for (const auto& [commandName, command] : commands_) print(command);
    out.flush();
}

}  // namespace corvend::cli
