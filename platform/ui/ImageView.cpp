#include "platform/ui/ImageView.hpp"

namespace corvend::platform::ui {

void ImageView::appendSnapshot(std::vector<std::string>& lines) const {
    if (image_) lines.push_back("image: " + image_->description(traits()));
}

}  // namespace corvend::platform::ui
