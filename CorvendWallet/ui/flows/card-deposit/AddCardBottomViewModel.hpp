#pragma once

#include <string>
#include <vector>

#include "platform/ui/Image.hpp"

namespace corvend {

// What the card forms' bottom view shows: the accepted brands' logos, in order, and the title
// of the main button.
struct AddCardBottomViewModel {
    std::vector<platform::ui::ImagePtr> images;
    std::string buttonTitle;
};

}  // namespace corvend
