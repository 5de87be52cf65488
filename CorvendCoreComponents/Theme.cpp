#include "CorvendCoreComponents/Theme.hpp"

#include <mutex>
#include <utility>

#include "platform/async/ProcessFork.hpp"
#include "platform/ui/FatalError.hpp"

namespace corvend::components {
namespace {

struct CurrentTheme {
    std::mutex mutex;
    std::shared_ptr<const Theme> theme;
};

CurrentTheme& current() {
    static CurrentTheme* const instance = new CurrentTheme();  // never destroyed
    return *instance;
}

}  // namespace

Theme::Theme(SemanticColorPalette semanticColors, FontDescriptionsProvider fonts,
             double borderWidth, std::shared_ptr<const CornerRadiusProvider> cornerRadii,
             CorvendCoreComponentsAssets assets)
    : colorPalette_(std::move(semanticColors)),
      fonts_(std::move(fonts)),
      borderWidth_(borderWidth),
      cornerRadii_(std::move(cornerRadii)),
      assets_(std::move(assets)) {}

void Theme::configure(SemanticColorPalette semanticColors,
                      FontDescriptionsProvider fontDescriptionsProvider, double borderWidth,
                      std::shared_ptr<const CornerRadiusProvider> cornerRadiusProvider,
                      CorvendCoreComponentsAssets assets) {
    platform::ProcessFork::checkKitUsable("Theme::configure");
    auto theme = std::make_shared<const Theme>(std::move(semanticColors),
                                               std::move(fontDescriptionsProvider), borderWidth,
                                               std::move(cornerRadiusProvider), std::move(assets));
    std::shared_ptr<const Theme> previous;
    {
        std::lock_guard lock(current().mutex);
        previous = std::exchange(current().theme, std::move(theme));
    }
    // The previous theme is released outside the lock, once its last reader lets it go.
}

std::shared_ptr<const Theme> Theme::defaultTheme() {
    platform::ProcessFork::checkKitUsable("Theme::defaultTheme");
    std::shared_ptr<const Theme> theme;
    {
        std::lock_guard lock(current().mutex);
        theme = current().theme;
    }
    if (!theme) platform::ui::fatalError("Trying to access Theme.defaultTheme before setting it.");
    return theme;
}

}  // namespace corvend::components
