#include "examples/wallet-cli/Console.hpp"

#include <ostream>
#include <stdexcept>
#include <utility>

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
    readNext();
}

void Console::readNext() {
    if (!prompt_.empty()) out_ << prompt_ << std::flush;
    reader_->next([self = shared_from_this()](std::optional<std::string> line) {
        self->handle(std::move(line));
    });
}

void Console::handle(std::optional<std::string> line) {
    if (!line) {
        // Leaves the person's terminal on a fresh line after the prompt.
        if (!prompt_.empty()) out_ << std::endl;
        finished_();
        return;
    }
    table_->run(CommandTable::split(*line), [self = shared_from_this()](Outcome outcome) {
        if (outcome == Outcome::quit) {
            self->finished_();
        } else {
            self->readNext();
        }
    });
}

}  // namespace corvend::cli
