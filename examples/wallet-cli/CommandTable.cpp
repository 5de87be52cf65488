#include "examples/wallet-cli/CommandTable.hpp"

#include <algorithm>
#include <exception>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <utility>

namespace corvend::cli {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

CommandTable::CommandTable(std::ostream& out, std::ostream& err) : out_(out), err_(err) {
    add({.name = "help",
         .usage = "",
         .summary = "list the commands",
         .handler = [this](const std::vector<std::string>&, Done done) {
             printHelp();
             done(Outcome::succeeded);
         }});
    add({.name = "quit",
         .usage = "",
         .summary = "end the session",
         .handler = [](const std::vector<std::string>&, Done done) { done(Outcome::quit); }});
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

void CommandTable::run(const std::vector<std::string>& words, Done done) const {
    if (words.empty()) {
        done(Outcome::succeeded);
        return;
    }
    const auto found = commands_.find(words.front());
    if (found == commands_.end()) {
        err_ << "unknown command '" << words.front() << "'; 'help' lists the commands" << std::endl;
        done(Outcome::failed);
        return;
    }
    const Command& command = found->second;
    const std::vector<std::string> arguments(words.begin() + 1, words.end());
    if (arguments.size() < command.minArguments || arguments.size() > command.maxArguments) {
        err_ << "usage: " << command.name << (command.usage.empty() ? "" : " ") << command.usage
             << std::endl;
        done(Outcome::failed);
        return;
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
    } catch (const std::exception& error) {
        err_ << command.name << ": " << error.what() << std::endl;
        once(Outcome::failed);
    }
}

std::vector<std::string> CommandTable::split(std::string_view line) {
    std::vector<std::string> words;
    auto at = line.begin();
    while (at != line.end()) {
        at = std::find_if_not(at, line.end(), isBlank);
        const auto end = std::find_if(at, line.end(), isBlank);
        if (at != end) words.emplace_back(at, end);
        at = end;
    }
    return words;
}

void CommandTable::printHelp() const {
    std::size_t width = 0;
    for (const auto& [name, command] : commands_) {
        width = std::max(width, name.size() + 1 + command.usage.size());
    }
    out_ << "commands:" << '\n';
    for (const auto& [name, command] : commands_) {
        std::string shown = name;
        if (!command.usage.empty()) shown += " " + command.usage;
        shown.resize(width, ' ');
        out_ << "  " << shown << "  " << command.summary << '\n';
    }
    out_.flush();
}

}  // namespace corvend::cli
