#pragma once

#include "platform/ui/Image.hpp"
#include "platform/ui/View.hpp"

namespace corvend::platform::ui {

// Shows an image; a template image takes the view's tint.
class ImageView : public View {
  public:
    explicit ImageView(ImagePtr image = {}) : image_(std::move(image)) {}

    const ImagePtr& image() const { return image_; }
    void setImage(ImagePtr image) { image_ = std::move(image); }

  protected:
    void appendSnapshot(std::vector<std::string>& lines) const override;

  private:
    ImagePtr image_;
};

}  // namespace corvend::platform::ui
