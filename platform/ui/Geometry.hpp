#pragma once

namespace corvend::platform::ui {

struct Size {
    double width = 0;
    double height = 0;

    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    double x = 0;
    double y = 0;
    Size size;

    friend bool operator==(const Rect&, const Rect&) = default;
};

// Insets in points; screens with a right-to-left language read left and right as given.
struct EdgeInsets {
    double top = 0;
    double left = 0;
    double bottom = 0;
    double right = 0;

    friend bool operator==(const EdgeInsets&, const EdgeInsets&) = default;
};

// Insets that follow the reading direction.
struct DirectionalEdgeInsets {
    double top = 0;
    double leading = 0;
    double bottom = 0;
    double trailing = 0;

    friend bool operator==(const DirectionalEdgeInsets&, const DirectionalEdgeInsets&) = default;
};

}  // namespace corvend::platform::ui
