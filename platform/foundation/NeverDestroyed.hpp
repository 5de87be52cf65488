#pragma once

#include <memory>
#include <type_traits>
#include <utility>

namespace corvend::platform {

// A value made once that lives until the process is gone: exit() never destroys it. For values
// built on first use that pool threads read, since those threads go on running while exit
// destroys ordinary statics (the pool and the main queue are never destroyed either):
//
//   const std::string& accountsPath() {
//       static const NeverDestroyed<std::string> path(...);
//       return *path;
//   }
//
// Trivially destructible, so exit has nothing to run for it; what the value holds stays
// reachable, so leak checkers do not count it.
template <class T>
class NeverDestroyed {
  public:
    template <class... Args>
    explicit NeverDestroyed(Args&&... args)
        : value_(std::construct_at(reinterpret_cast<T*>(storage_), std::forward<Args>(args)...)) {}

    ~NeverDestroyed() = default;
    NeverDestroyed(const NeverDestroyed&) = delete;
    NeverDestroyed& operator=(const NeverDestroyed&) = delete;

    T& operator*() noexcept { return *value_; }
    const T& operator*() const noexcept { return *value_; }
    T* operator->() noexcept { return value_; }
    const T* operator->() const noexcept { return value_; }

  private:
    alignas(T) unsigned char storage_[sizeof(T)];
    T* const value_;
};

}  // namespace corvend::platform
