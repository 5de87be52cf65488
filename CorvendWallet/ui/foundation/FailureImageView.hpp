#pragma once

#include <memory>

#include "platform/ui/ImageView.hpp"
#include "platform/ui/View.hpp"

namespace corvend {

// The one picture the kit's web screens show when what they load has failed: the "icloud.slash"
// symbol at 80 points, in the theme's secondary label colour, with no text. Installs the
// default appearance when none was applied.
struct FailureImageView {
    static std::shared_ptr<platform::ui::ImageView> make();
};

}  // namespace corvend
