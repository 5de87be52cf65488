#include "examples/wallet-cli/CommandScript.hpp"

#include <stdexcept>
#include <utility>

namespace corvend::cli {

std::shared_ptr<CommandScript> CommandScript::make(std::shared_ptr<const CommandTable> table,
                                                   platform::MainQueue& queue,
                                                   std::vector<Step> steps) {
    return std::make_shared<CommandScript>(Passkey{}, std::move(table), queue, std::move(steps));
}

CommandScript::CommandScript(Passkey, std::shared_ptr<const CommandTable> table,
                             platform::MainQueue& queue, std::vector<Step> steps)
    : table_(std::move(table)), queue_(queue), steps_(std::move(steps)) {}

void CommandScript::start(std::function<void(Outcome)> finished) {
    if (finished_) throw std::logic_error("the script was already started");
    finished_ = finished ? std::move(finished) : [](Outcome) {};
    queue_.async([self = shared_from_this()] { self->runNext(); });
}

void CommandScript::runNext() {
    if (next_ == steps_.size()) {
        finish(Outcome::succeeded);
        return;
    }
    const Step& step = steps_[next_++];
    table_->run(step, [self = shared_from_this()](Outcome outcome) {
        switch (outcome) {
            case Outcome::succeeded:
                self->queue_.async([self] { self->runNext(); });
                return;
            case Outcome::quit:
                self->finish(Outcome::succeeded);
                return;
            case Outcome::failed:
            case Outcome::misused:
                self->finish(outcome);
                return;
        }
    });
}

void CommandScript::finish(Outcome outcome) {
    finished_(outcome);
}

}  // namespace corvend::cli
