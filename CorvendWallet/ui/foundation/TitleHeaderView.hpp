#pragma once

#include <memory>
#include <string>

#include "CorvendCoreComponents/Label.hpp"
#include "platform/ui/Image.hpp"
#include "platform/ui/ImageView.hpp"
#include "platform/ui/StackView.hpp"
#include "platform/ui/View.hpp"

namespace corvend {

// The deposit summary's header: a round 80-point image over a centred title and amount.
// Main thread.
class TitleHeaderView : public platform::ui::View {
  public:
    TitleHeaderView();

    // Shows the three and spaces them: 4 points under the image, 2 under the title, 16-point
    // margins around.
    void configure(platform::ui::ImagePtr image, std::string title, std::string amount);

    const std::shared_ptr<platform::ui::ImageView>& imageView() const { return imageView_; }
    const platform::ui::ViewPtr& imageContainer() const { return imageContainer_; }
    const std::shared_ptr<components::Label>& titleLabel() const { return titleLabel_; }
    const std::shared_ptr<components::Label>& amountLabel() const { return amountLabel_; }
    const std::shared_ptr<platform::ui::StackView>& contentStack() const { return contentStack_; }

  private:
    std::shared_ptr<platform::ui::ImageView> imageView_;
    platform::ui::ViewPtr imageContainer_;
    std::shared_ptr<components::Label> titleLabel_;
    std::shared_ptr<components::Label> amountLabel_;
    std::shared_ptr<platform::ui::StackView> contentStack_;
};

}  // namespace corvend
