#pragma once

#include <optional>
#include <string>

namespace corvend::components {

// A link inside a text: the visible string to find, and the value handed to the tap handler.
struct LinkPair {
    std::string string;
    std::string link;
    std::optional<std::string> accessibilityValue = std::nullopt;
    std::optional<std::string> accessibilityIdentifier = std::nullopt;
};

}  // namespace corvend::components
