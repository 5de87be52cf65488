#include "CorvendWallet/facade/ConfigurationOrder.hpp"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <set>

#include "platform/async/CancellationError.hpp"
#include "platform/async/CancellationToken.hpp"

namespace corvend {

struct ConfigurationOrder::State {
    // Issued without the lock, so that issuing never waits.
    std::atomic<unsigned long long> issued{0};
    std::mutex mutex;
    std::condition_variable advanced;
    unsigned long long current = 0;           // the turn that may run; guarded by mutex
    std::set<unsigned long long> endedEarly;  // later turns already ended; guarded by mutex
};

ConfigurationOrder::ConfigurationOrder() : state_(std::make_shared<State>()) {}

std::shared_ptr<const ConfigurationOrder::Turn> ConfigurationOrder::issue() {
    return std::shared_ptr<const Turn>(new Turn(state_, state_->issued.fetch_add(1)));
}

ConfigurationOrder::Turn::Turn(std::shared_ptr<State> state, unsigned long long number)
    : state_(std::move(state)), number_(number) {}

ConfigurationOrder::Turn::~Turn() {
    std::lock_guard lock(state_->mutex);
    if (number_ != state_->current) {
        state_->endedEarly.insert(number_);
        return;
    }
    ++state_->current;
    while (state_->endedEarly.erase(state_->current) != 0) ++state_->current;
    state_->advanced.notify_all();
}

void ConfigurationOrder::Turn::await() const {
    // Guarded by the mutex; the registration outlives every use of it by the handler.
    bool cancelled = false;
    auto registration = platform::onCancel([&] {
        std::lock_guard lock(state_->mutex);
        cancelled = true;
        state_->advanced.notify_all();
    });
    std::unique_lock lock(state_->mutex);
    state_->advanced.wait(lock, [&] { return cancelled || state_->current == number_; });
    const bool stop = cancelled && state_->current != number_;
    lock.unlock();
    // Unregistered without the lock: a running handler needs it to return.
    registration.reset();
    if (stop) throw platform::CancellationError();
}

}  // namespace corvend
