#pragma once

#include "CorvendCoreComponents/CorvendCoreComponentsImageAsset.hpp"

namespace corvend::components {

// The library's four theme images, resolved only when drawn.
struct CorvendCoreComponentsAssets {
    CorvendCoreComponentsImageAsset checkboxNotSelectedTemplate;
    CorvendCoreComponentsImageAsset checkboxSelectedTemplate;
    CorvendCoreComponentsImageAsset uiArrowLeftTemplate;
    CorvendCoreComponentsImageAsset uiErrorTriangle;
};

}  // namespace corvend::components
