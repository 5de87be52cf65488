#pragma once

#include <memory>
#include <vector>

#include "CorvendCoreComponents/Label.hpp"
#include "platform/ui/ImageView.hpp"
#include "platform/ui/StackView.hpp"

namespace corvend::components {

// Factories of the plain views the screens are built from; every view they make lays out with
// constraints only (no autoresizing-mask translation).
struct Views {
    enum class ImageSize { square24, square32, square80 };
    static platform::ui::Size size(ImageSize imageSize);

    // An image view whose width and height are fixed to `size` by two active constraints.
    static std::shared_ptr<platform::ui::ImageView> imageView(ImageSize size);
    static std::shared_ptr<platform::ui::ImageView> image(platform::ui::ImagePtr image,
                                                          ImageSize size,
                                                          platform::ui::ColorPtr tint = {});
    // A plain view holding `view` as its only subview, unconstrained.
    static platform::ui::ViewPtr container(const platform::ui::ViewPtr& view);
    static std::shared_ptr<platform::ui::StackView> hStack(
        const std::vector<platform::ui::ViewPtr>& views = {});
    static std::shared_ptr<platform::ui::StackView> vStack(
        const std::vector<platform::ui::ViewPtr>& views = {});

    struct Labels {
        // In the secondary label colour.
        static std::shared_ptr<Label> caption1();
        static std::shared_ptr<Label> subtitle2(platform::ui::ColorPtr color);
        static std::shared_ptr<Label> title2(platform::ui::ColorPtr color);
    };
};

}  // namespace corvend::components
