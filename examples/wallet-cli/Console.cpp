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
    // Ends when the command has ended (see stopped()).
    if (run_) run_->stop();
}

void Console::stopped(const CommandRun::Stopped& known) {
    CommandRun::setCurrent(nullptr);
    run_.reset();
    // A command whose own end came meanwhile said what it did.
    // After the "^C" Ctrl-C left on the line.
    if (!reported_)
        out_ << (known.lost ? "" : "\n") << CommandRun::report(commandName_, known) << std::flush;
    readNext();
}

void Console::readNext() {
    // Flushed before each line: a closed pipe shows at the command whose output it lost.
    out_ << prompt_ << std::flush;
    if (!out_) {
        // Nobody would see what a next command did.
        finish();
        return;
    }
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
    reported_ = false;
    // The run keeps the session until it is told the stop's end: a stopped command may let go
    // of everything else.
    run_ = CommandRun::make(
        [self = shared_from_this()](const CommandRun::Stopped& known) { self->stopped(known); },
        &out_);
    CommandRun::setCurrent(run_);
    table_->run(words, [self = shared_from_this(), run = run_](Outcome outcome) {
        // Stopped by Ctrl-C, the prompt waits for the stop's end.
        if (!CommandRun::ownEnd(self->run_, run, self->reported_)) return;
        if (outcome == Outcome::quit) {
            self->finish();
        } else {
            self->readNext();
        }
    });
}

}  // namespace corvend::cli
