#pragma once

namespace corvend::platform::ui {

enum class TextAlignment { left, center, right, justified, natural };

enum class LineBreakMode {
    byWordWrapping,
    byCharWrapping,
    byClipping,
    byTruncatingHead,
    byTruncatingTail,
    byTruncatingMiddle,
};

}  // namespace corvend::platform::ui
