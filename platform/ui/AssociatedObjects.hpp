#pragma once

#include <map>
#include <memory>
#include <string>

namespace corvend::platform::ui {

// Objects attached to an owner under a key and retained by it: they are released when the
// owner is destroyed (after the owner's own members), or when replaced. Not synchronised: the
// owner's thread uses it, as the owner's other state.
class AssociatedObjects {
  public:
    // Attaches `value` under `key`, releasing what was there; an empty `value` detaches.
    void setAssociatedObject(const std::string& key, std::shared_ptr<void> value);
    std::shared_ptr<void> associatedObject(const std::string& key) const;

  protected:
    AssociatedObjects() = default;
    ~AssociatedObjects() = default;

  private:
    std::map<std::string, std::shared_ptr<void>> objects_;
};

}  // namespace corvend::platform::ui
