#pragma once

#include <functional>
#include <memory>

#include "CorvendCoreComponents/BottomSheet.hpp"

namespace corvend::components {

// Makes bottom sheets; a seam so that screens can be given another maker.
struct BottomSheeting {
    std::function<std::shared_ptr<BottomSheet>(platform::ui::ViewControllerPtr content,
                                               std::function<void()> onClose)>
        makeSheet;

    // The library's standard sheets.
    static BottomSheeting live();
};

}  // namespace corvend::components
