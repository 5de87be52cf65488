#pragma once

namespace corvend {

// Marks an object that supplies what a screen needs. Held by std::shared_ptr; screens' own
// dependency interfaces refine it (virtually, so one component can serve several screens).
class Dependency {
  public:
    virtual ~Dependency() = default;

  protected:
    Dependency() = default;
    Dependency(const Dependency&) = default;
    Dependency& operator=(const Dependency&) = default;
};

// Marks a dependency holder that has no parent of its own.
class EmptyDependency : public virtual Dependency {};

}  // namespace corvend
