#include "examples/wallet-cli/CommandScript.hpp"

#include <ostream>
#include <stdexcept>
#include <utility>

#include "examples/wallet-cli/Interruptions.hpp"

namespace corvend::cli {

std::shared_ptr<CommandScript> CommandScript::make(std::shared_ptr<const CommandTable> table,
                                                   platform::MainQueue& queue,
                                                   std::vector<Step> steps, std::ostream& out) {
    return std::make_shared<CommandScript>(Passkey{}, std::move(table), queue, std::move(steps),
                                           out);
}

CommandScript::CommandScript(Passkey, std::shared_ptr<const CommandTable> table,
                             platform::MainQueue& queue, std::vector<Step> steps, std::ostream& out)
    : table_(std::move(table)), queue_(queue), steps_(std::move(steps)), out_(out) {}

void CommandScript::start(std::function<void(Outcome)> finished) {
    if (finished_) throw std::logic_error("the script was already started");
    finished_ = finished ? std::move(finished) : [](Outcome) {};
    interruptGuard_ = Interruptions::shared().take([weakSelf = weak_from_this()] {
        if (const auto self = weakSelf.lock()) self->interrupted();
    });
    queue_.async([self = shared_from_this()] { self->runNext(); });
}

void CommandScript::interrupted() {
    // Between two steps nothing runs: the next does not start.
    interrupted_ = true;
    if (run_) run_->stop();
}

void CommandScript::runNext() {
    if (next_ == steps_.size() || interrupted_) {
        finish(interrupted_ ? Outcome::failed : Outcome::succeeded);
        return;
    }
    // As the session: nobody would see what a next command did.
    if (!out_.flush()) {
        finish(Outcome::failed);
        return;
    }
    const Step& step = steps_[next_++];
    reported_ = false;
    auto run =
        CommandRun::make([self = shared_from_this(), command = step.empty() ? "" : step[0]](
                             const CommandRun::Stopped& known) { self->stopped(command, known); },
                         &out_);
    run_ = run;
    CommandRun::setCurrent(run);
    table_->run(step, [self = shared_from_this(), run](Outcome outcome) {
        if (!CommandRun::ownEnd(self->run_, run, self->reported_)) return;
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

void CommandScript::stopped(const std::string& command, const CommandRun::Stopped& known) {
    CommandRun::setCurrent(nullptr);
    run_.reset();
    if (!reported_) {
        // After the "^C" Ctrl-C left on the line.
        out_ << (known.lost ? "" : "\n") << CommandRun::report(command, known) << std::flush;
    }
    finish(Outcome::failed);
}

void CommandScript::finish(Outcome outcome) {
    interruptGuard_.reset();
    if (auto finished = std::exchange(finished_, [](Outcome) {})) finished(outcome);
}

}  // namespace corvend::cli
