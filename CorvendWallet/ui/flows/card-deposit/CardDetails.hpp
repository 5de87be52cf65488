#pragma once

#include <string>

#include "platform/ui/Image.hpp"

namespace corvend {

// What the deposit summary shows of the card: the brand's logo and a short name such as
// "Salary *4242".
struct CardDetails {
    platform::ui::ImagePtr cardLogo;
    std::string cardName;

    // Logos compare as the same image object.
    friend bool operator==(const CardDetails&, const CardDetails&) = default;
};

}  // namespace corvend
