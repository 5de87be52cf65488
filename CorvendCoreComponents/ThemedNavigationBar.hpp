#pragma once

#include "platform/ui/Image.hpp"
#include "platform/ui/NavigationBar.hpp"

namespace corvend::components {

// The library's navigation bar: the theme's background and label colours and its back image.
// Bar-button appearance set "not global" applies to the items inside bars of this class only.
class ThemedNavigationBar : public platform::ui::NavigationBar {
  public:
    ThemedNavigationBar();

    const platform::ui::ImagePtr& backIndicatorImage() const { return backIndicatorImage_; }

  private:
    platform::ui::ImagePtr backIndicatorImage_;
};

}  // namespace corvend::components
