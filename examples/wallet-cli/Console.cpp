#include "examples/wallet-cli/Console.hpp"

#include <ostream>
#include <stdexcept>
#include <utility>

#include "examples/wallet-cli/Interruptions.hpp"

namespace corvend::cli {

std::shared_ptr<Console> Console::make(std::shared_ptr<const CommandTable> table,
                                       std::shared_ptr<LineSource> reader, std::ostream& out,
                                       std::string prompt) {
    return std::make_shared<Console>(Passkey{}, std::move(table), std::move(reader), out,
                                     std::move(prompt));
}

Console::Console(Passkey, std::shared_ptr<const CommandTable> table,
                 std::shared_ptr<LineSource> reader, std::ostream& out, std::string prompt)
    : table_(std::move(table)), reader_(std::move(reader)), out_(out), prompt_(std::move(prompt)) {}

void Console::start(std::function<void()> finished) {
    if (finished_) throw std::logic_error("the console was already started");
    finished_ = finished ? std::move(finished) : [] {};
    interruptGuard_ = Interruptions::shared().take([weakSelf = weak_from_this()] {
        if (const auto self = weakSelf.lock()) self->interrupted();
    });
    readNext();
}

void Console::finish() {
    interruptGuard_.reset();
    finished_();
}

void Console::interrupted() {
    if (!running_) return;
    running_ = false;
    // A cancelled call reports nothing: the kit ends it with its CancellationError.
    const bool cancelled = Interruptions::shared().cancelCalls();
    out_ << "\n"
         << commandName_ << (cancelled ? ": cancelled" : ": no longer awaited") << " (Ctrl-C)"
         << std::endl;
    readNext();
}

void Console::readNext() {
    if (!prompt_.empty()) out_ << prompt_ << std::flush;
    reader_->nextCommand([self = shared_from_this()](std::optional<std::string> line) {
        self->handle(std::move(line));
    });
}

void Console::handle(std::optional<std::string> line) {
    if (!line) {
        // Leaves the person's terminal on a fresh line after the prompt.
        if (!prompt_.empty()) out_ << std::endl;
        finish();
        return;
    }
    const auto words = CommandTable::split(*line);
    commandName_ = words.empty() ? "" : words.front();
    running_ = true;
    table_->run(words, [self = shared_from_this(), command = ++command_](Outcome outcome) {
        if (command != self->command_ || !self->running_) return;  // ended by Ctrl-C
        self->running_ = false;
        Interruptions::shared().forgetCalls();
        if (outcome == Outcome::quit) {
            self->finish();
        } else {
            self->readNext();
        }
    });
}

}  // namespace corvend::cli
