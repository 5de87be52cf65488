#pragma once

#include "CorvendCoreComponents/CorvendCoreComponentsAssets.hpp"
#include "CorvendWallet/ui/foundation/AppearanceImageResource.hpp"

namespace corvend {

// The eight images of an Appearance (Appearance::Images). Only the kit makes one, always with
// its default system symbols (a new configuration object per symbol at each construction); a
// host can copy one and assign it to another Appearance. Its slots are read-only.
class AppearanceImages {
  public:
    const AppearanceImageResource& iconError() const { return iconError_; }
    const AppearanceImageResource& iconArrowLeft() const { return iconArrowLeft_; }
    const AppearanceImageResource& checkboxSelected() const { return checkboxSelected_; }
    const AppearanceImageResource& checkboxNotSelected() const { return checkboxNotSelected_; }
    const AppearanceImageResource& iconHelp() const { return iconHelp_; }
    const AppearanceImageResource& creditCard() const { return creditCard_; }
    const AppearanceImageResource& iconClose() const { return iconClose_; }
    const AppearanceImageResource& iconInfo() const { return iconInfo_; }

    // The component library's four theme images, of the same kind and values.
    components::CorvendCoreComponentsAssets assets() const;

  private:
    friend class Appearance;

    AppearanceImages();

    AppearanceImageResource iconError_, iconArrowLeft_, checkboxSelected_, checkboxNotSelected_,
        iconHelp_, creditCard_, iconClose_, iconInfo_;
};

}  // namespace corvend
