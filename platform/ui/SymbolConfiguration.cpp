#include "platform/ui/SymbolConfiguration.hpp"

namespace corvend::platform::ui {

std::shared_ptr<const SymbolConfiguration> SymbolConfiguration::make(
    double pointSize, std::optional<SymbolWeight> weight) {
    return std::make_shared<const SymbolConfiguration>(pointSize, weight);
}

}  // namespace corvend::platform::ui
