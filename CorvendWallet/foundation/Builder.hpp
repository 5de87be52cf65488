#pragma once

#include <memory>
#include <utility>

namespace corvend {

// Marks a screen builder.
class Buildable {
  public:
    virtual ~Buildable() = default;

  protected:
    Buildable() = default;
    Buildable(const Buildable&) = default;
    Buildable& operator=(const Buildable&) = default;
};

// The base of every screen builder: keeps the dependency it was made with (strongly) and
// nothing else; the screen's build operation reads what it needs from it.
template <class D>
class Builder : public virtual Buildable {
  public:
    explicit Builder(std::shared_ptr<D> dependency) : dependency_(std::move(dependency)) {}

    const std::shared_ptr<D>& dependency() const noexcept { return dependency_; }

  private:
    const std::shared_ptr<D> dependency_;
};

}  // namespace corvend
