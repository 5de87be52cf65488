#pragma once

#include <memory>

#include "CorvendCoreComponents/CornerRadiusProvider.hpp"
#include "CorvendCoreComponents/CorvendCoreComponentsAssets.hpp"
#include "CorvendCoreComponents/FontDescriptionsProvider.hpp"
#include "CorvendCoreComponents/SemanticColorPalette.hpp"

namespace corvend::components {

// The library's one global theme. Configured from any thread and read by every view; the
// current theme sits behind a lock, so a reader holds one whole theme even while another
// thread configures the next.
class Theme {
  public:
    static void configure(SemanticColorPalette semanticColors,
                          FontDescriptionsProvider fontDescriptionsProvider, double borderWidth,
                          std::shared_ptr<const CornerRadiusProvider> cornerRadiusProvider,
                          CorvendCoreComponentsAssets assets);

    // The configured theme; stops the program when none has been configured.
    static std::shared_ptr<const Theme> defaultTheme();

    const SemanticColorPalette& colorPalette() const { return colorPalette_; }
    const FontDescriptionsProvider& fontDescriptionsProvider() const { return fonts_; }
    double borderWidth() const { return borderWidth_; }
    const CornerRadiusProvider& cornerRadiusProvider() const { return *cornerRadii_; }
    const CorvendCoreComponentsAssets& assets() const { return assets_; }

    Theme(SemanticColorPalette semanticColors, FontDescriptionsProvider fonts, double borderWidth,
          std::shared_ptr<const CornerRadiusProvider> cornerRadii,
          CorvendCoreComponentsAssets assets);

  private:
    SemanticColorPalette colorPalette_;
    FontDescriptionsProvider fonts_;
    double borderWidth_;
    std::shared_ptr<const CornerRadiusProvider> cornerRadii_;
    CorvendCoreComponentsAssets assets_;
};

}  // namespace corvend::components
