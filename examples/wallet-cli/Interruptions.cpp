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
    std::uint64_t id = 0;
    {
        std::scoped_lock lock(mutex_);
        id = ++nextId_;
        handlers_.emplace_back(id, std::move(handler));
    }
    // The guard holds no object of its own: its deleter gives the handler up.
    return std::shared_ptr<void>(static_cast<void*>(nullptr), [this, id](void*) {
        std::scoped_lock lock(mutex_);
        std::erase_if(handlers_, [id](const auto& entry) { return entry.first == id; });
    });
}

std::shared_ptr<CommandRun> Interruptions::command() {
    std::scoped_lock lock(mutex_);
    return command_;
}

void Interruptions::setCommand(std::shared_ptr<CommandRun> run) {
    std::scoped_lock lock(mutex_);
    command_ = std::move(run);
}

void Interruptions::keyed() {
    came_ = true;
}

bool Interruptions::interrupt() {
    came_ = true;
    Handler handler;
    {
        std::scoped_lock lock(mutex_);
        if (handlers_.empty()) return false;
        handler = handlers_.back().second;
    }
    handler();
    return true;
}

}  // namespace corvend::cli
