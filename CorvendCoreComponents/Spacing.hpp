#pragma once

namespace corvend::components {

// The theme's fixed spacings, in points.
struct Spacing {
    static constexpr double nano = 2;
    static constexpr double micro = 4;
    static constexpr double tiny = 8;
    static constexpr double small = 12;
    static constexpr double regular = 16;
};

}  // namespace corvend::components
