#include "platform/ui/BarButtonItemAppearance.hpp"

#include <mutex>

namespace corvend::platform::ui {
namespace {

struct Proxies {
    std::mutex mutex;
    std::map<std::optional<std::type_index>, BarButtonItemAppearance> byContainer;
};

Proxies& proxies() {
    static Proxies* const instance = new Proxies();  // never destroyed
    return *instance;
}

}  // namespace

BarButtonItemAppearance BarButtonItemAppearance::get(std::optional<std::type_index> container) {
    std::lock_guard lock(proxies().mutex);
    const auto found = proxies().byContainer.find(container);
    return found == proxies().byContainer.end() ? BarButtonItemAppearance{} : found->second;
}

void BarButtonItemAppearance::set(BarButtonItemAppearance appearance,
                                  std::optional<std::type_index> container) {
    std::lock_guard lock(proxies().mutex);
    proxies().byContainer[container] = std::move(appearance);
}

}  // namespace corvend::platform::ui
