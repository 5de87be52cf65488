#include "platform/ui/AssociatedObjects.hpp"

#include <utility>

namespace corvend::platform::ui {

void AssociatedObjects::setAssociatedObject(const std::string& key, std::shared_ptr<void> value) {
    std::shared_ptr<void> previous;
    if (value) {
        previous = std::exchange(objects_[key], std::move(value));
    } else if (const auto found = objects_.find(key); found != objects_.end()) {
        previous = std::move(found->second);
        objects_.erase(found);
    }
    // `previous` is released here, after the map is consistent again: its destructor may
    // reach back into this owner.
}

std::shared_ptr<void> AssociatedObjects::associatedObject(const std::string& key) const {
    const auto found = objects_.find(key);
    return found == objects_.end() ? nullptr : found->second;
}

}  // namespace corvend::platform::ui
