#pragma once

#include <memory>
#include <mutex>

#include "platform/async/ProcessFork.hpp"

namespace corvend {

// One lazily created, assignable service of the facade. Safe when several threads reach it
// for the first time at once: exactly one creates the service, every reader gets the same one.
// In a child of fork made after the kit began to be made both calls throw std::logic_error
// before the lock, which a parent thread may have held at the fork.
template <class Service>
class ServiceSlot {
  public:
    // The stored service, made with `make` on first use.
    template <class Make>
    std::shared_ptr<Service> get(Make&& make) {
        platform::ProcessFork::checkKitUsable("a Wallet service accessor");
        std::lock_guard lock(mutex_);
        if (!service_) service_ = make();
        return service_;
    }

    // Replaces the service later reads return.
    void set(std::shared_ptr<Service> service) {
        platform::ProcessFork::checkKitUsable("a Wallet service setter");
        std::lock_guard lock(mutex_);
        service_ = std::move(service);
    }

  private:
    std::mutex mutex_;
    std::shared_ptr<Service> service_;
};

}  // namespace corvend
