#pragma once

#include "CorvendCoreComponents/Spacing.hpp"
#include "platform/ui/Geometry.hpp"

namespace corvend::components {

struct Inset {
    // The standard insets of a table cell's content.
    static constexpr platform::ui::EdgeInsets cell{Spacing::tiny, Spacing::regular, Spacing::tiny,
                                                   Spacing::regular};
};

}  // namespace corvend::components
