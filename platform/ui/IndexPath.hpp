#pragma once

#include <compare>

namespace corvend::platform::ui {

struct IndexPath {
    int section = 0;
    int row = 0;

    friend auto operator<=>(const IndexPath&, const IndexPath&) = default;
};

}  // namespace corvend::platform::ui
