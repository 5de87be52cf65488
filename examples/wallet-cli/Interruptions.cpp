#include "examples/wallet-cli/Interruptions.hpp"

#include <algorithm>
#include <utility>

#include "examples/wallet-cli/CommandRun.hpp"
#include "platform/foundation/NeverDestroyed.hpp"

namespace corvend::cli {

Interruptions& Interruptions::shared() {
    // Never destroyed: guards and screens may still give theirs up while the host exits.
    static platform::NeverDestroyed<Interruptions> interruptions;
    return *interruptions;
}

std::shared_ptr<void> Interruptions::take(Handler handler) {
    return handlers_.add(std::move(handler));
}

std::shared_ptr<CommandRun> Interruptions::command() {
    std::scoped_lock lock(mutex_);
    return command_;
}

void Interruptions::setCommand(std::shared_ptr<CommandRun> run) {
    std::scoped_lock lock(mutex_);
    // A new command's end owes nothing to a Ctrl-C before it.
    if (run) came_ = keyAnswers_ = false;
    command_ = std::move(run);
}

void Interruptions::keyed() {
    std::scoped_lock lock(mutex_);
    came_ = keyAnswers_ = true;
}

void Interruptions::answered() {
    std::scoped_lock lock(mutex_);
    if (!std::exchange(keyAnswers_, false)) came_ = false;
}

bool Interruptions::came() const {
    std::scoped_lock lock(mutex_);
    return came_;
}

void Interruptions::arriving() {
    pending_ = true;
}

bool Interruptions::interrupt() {
    pending_ = false;
    {
        std::scoped_lock lock(mutex_);
        came_ = true;
    }
    const Handler handler = handlers_.last();
    if (!handler) return false;
    handler();
    return true;
}

}  // namespace corvend::cli
