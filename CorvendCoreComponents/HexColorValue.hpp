#pragma once

#include <string>

#include "platform/ui/Color.hpp"

namespace corvend::components {

// A colour written as "#RRGGBB" with a separate alpha.
struct HexColorValue {
    std::string hexValue;
    double alpha = 1;
};

// The colour of `value`: one leading "#" is dropped; exactly six hexadecimal digits must remain,
// else the clear colour. Never fails.
platform::ui::ColorPtr hexColor(const HexColorValue& value);

}  // namespace corvend::components
