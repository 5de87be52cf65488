#include "CorvendCoreComponents/Views.hpp"

#include "CorvendCoreComponents/Theme.hpp"

namespace corvend::components {

using namespace platform::ui;

Size Views::size(ImageSize imageSize) {
    switch (imageSize) {
        case ImageSize::square24:
            return {24, 24};
        case ImageSize::square32:
            return {32, 32};
        case ImageSize::square80:
            return {80, 80};
    }
    return {};
}

std::shared_ptr<ImageView> Views::imageView(ImageSize imageSize) {
    auto view = std::make_shared<ImageView>();
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    const Size side = size(imageSize);
    LayoutConstraint::activate({view->anchor(LayoutAttribute::width).constraint(side.width),
                                view->anchor(LayoutAttribute::height).constraint(side.height)});
    return view;
}

std::shared_ptr<ImageView> Views::image(ImagePtr image, ImageSize size, ColorPtr tint) {
    auto view = imageView(size);
    view->setImage(std::move(image));
    if (tint) view->setTintColor(std::move(tint));
    return view;
}

ViewPtr Views::container(const ViewPtr& view) {
    auto holder = std::make_shared<View>();
    holder->setTranslatesAutoresizingMaskIntoConstraints(false);
    holder->addSubview(view);
    return holder;
}

namespace {

std::shared_ptr<StackView> stack(const std::vector<ViewPtr>& views, LayoutAxis axis) {
    auto stackView = std::make_shared<StackView>(views);
    stackView->setAxis(axis);
    stackView->setTranslatesAutoresizingMaskIntoConstraints(false);
    return stackView;
}

}  // namespace

std::shared_ptr<StackView> Views::hStack(const std::vector<ViewPtr>& views) {
    return stack(views, LayoutAxis::horizontal);
}

std::shared_ptr<StackView> Views::vStack(const std::vector<ViewPtr>& views) {
    return stack(views, LayoutAxis::vertical);
}

std::shared_ptr<Label> Views::Labels::caption1() {
    return std::make_shared<Label>(
        DreloFontTextStyle::caption1,
        Theme::defaultTheme()->colorPalette().labelColor.secondary.onBase);
}

std::shared_ptr<Label> Views::Labels::subtitle2(ColorPtr color) {
    return std::make_shared<Label>(DreloFontTextStyle::subtitle2, std::move(color));
}

std::shared_ptr<Label> Views::Labels::title2(ColorPtr color) {
    return std::make_shared<Label>(DreloFontTextStyle::title2, std::move(color));
}

}  // namespace corvend::components
