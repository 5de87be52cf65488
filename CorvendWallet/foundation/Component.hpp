#pragma once

#include <any>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>

#include "CorvendWallet/foundation/Dependency.hpp"

namespace corvend {

// The base of a dependency component with a parent dependency `D`: it keeps the parent and
// hands out objects shared by name across the screens it serves.
template <class D>
class Component : public virtual Dependency {
  public:
    explicit Component(std::shared_ptr<D> dependency) : dependency_(std::move(dependency)) {}

    const std::shared_ptr<D>& dependency() const noexcept { return dependency_; }

    // The object shared under `name`, made by `make` on first use; later uses, from any
    // thread, get that same object. Throws std::bad_any_cast when `name` holds another type.
    template <class T, class Make>
    std::shared_ptr<T> shared(const std::string& name, Make&& make) {
        std::lock_guard lock(lock_);
        auto found = sharedInstances_.find(name);
        if (found == sharedInstances_.end()) {
            found = sharedInstances_.emplace(name, std::shared_ptr<T>(make())).first;
        }
        return std::any_cast<std::shared_ptr<T>>(found->second);
    }

  private:
    const std::shared_ptr<D> dependency_;
    std::map<std::string, std::any> sharedInstances_;
    std::recursive_mutex lock_;
};

}  // namespace corvend
