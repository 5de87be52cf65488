#pragma once

#include <memory>
#include <optional>

namespace corvend::platform::ui {

enum class SymbolWeight {
    ultraLight = 1,
    thin,
    light,
    regular,
    medium,
    semibold,
    bold,
    heavy,
    black
};

// How a system symbol is drawn. An object compared by identity: two configurations made with
// the same values are not the same configuration.
class SymbolConfiguration {
  public:
    static std::shared_ptr<const SymbolConfiguration> make(
        double pointSize, std::optional<SymbolWeight> weight = std::nullopt);

    SymbolConfiguration(double pointSize, std::optional<SymbolWeight> weight)
        : pointSize_(pointSize), weight_(weight) {}

    double pointSize() const { return pointSize_; }
    std::optional<SymbolWeight> weight() const { return weight_; }

  private:
    double pointSize_;
    std::optional<SymbolWeight> weight_;
};

using SymbolConfigurationPtr = std::shared_ptr<const SymbolConfiguration>;

}  // namespace corvend::platform::ui
