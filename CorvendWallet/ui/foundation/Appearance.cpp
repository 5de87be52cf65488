#include "CorvendWallet/ui/foundation/Appearance.hpp"

#include <atomic>

namespace corvend {

namespace {
std::atomic<bool> appearanceApplied{false};
}

const Appearance& Appearance::defaultAppearance() {
    static const Appearance appearance;
    return appearance;
}

void Appearance::apply() const {
    appearanceApplied.store(true, std::memory_order_release);
}

bool Appearance::isApplied() {
    return appearanceApplied.load(std::memory_order_acquire);
}

}  // namespace corvend
