#pragma once

namespace corvend::platform::ui {

// The device's screen, as far as drawing needs it.
struct Screen {
    // Pixels per point of the main screen; offscreen drawings are made at this scale.
    static constexpr double mainScale = 3;
};

}  // namespace corvend::platform::ui
