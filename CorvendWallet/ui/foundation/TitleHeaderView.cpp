#include "CorvendWallet/ui/foundation/TitleHeaderView.hpp"

#include "CorvendCoreComponents/Spacing.hpp"
#include "CorvendCoreComponents/Theme.hpp"
#include "CorvendCoreComponents/Views.hpp"
#include "platform/ui/LayoutConstraint.hpp"

namespace corvend {

using components::Views;
using platform::ui::LayoutAttribute;

namespace {

std::shared_ptr<components::Label> centred(std::shared_ptr<components::Label> label) {
    label->setTextAlignment(platform::ui::TextAlignment::center);
    return label;
}

platform::ui::ColorPtr labelColor() {
    return components::Theme::defaultTheme()->colorPalette().labelColor.primary.onBase;
}

}  // namespace

TitleHeaderView::TitleHeaderView()
    : imageView_(Views::imageView(Views::ImageSize::square80)),
      imageContainer_(std::make_shared<platform::ui::View>()),
      titleLabel_(centred(Views::Labels::subtitle2(labelColor()))),
      amountLabel_(centred(Views::Labels::title2(labelColor()))) {
    imageView_->setCornerRadius(Views::size(Views::ImageSize::square80).width / 2);
    imageView_->setMasksToBounds(true);
    imageView_->setContentMode(platform::ui::ContentMode::scaleAspectFit);
    imageContainer_->setTranslatesAutoresizingMaskIntoConstraints(false);
    contentStack_ = Views::vStack({imageContainer_, titleLabel_, amountLabel_});
    contentStack_->setLayoutMarginsRelativeArrangement(true);
    addSubview(contentStack_);
    imageContainer_->addSubview(imageView_);

    auto same = [](const platform::ui::ViewPtr& view, const platform::ui::ViewPtr& to,
                   LayoutAttribute attribute) {
        return view->anchor(attribute).constraint(to->anchor(attribute));
    };
    auto edge = [this](const platform::ui::ViewPtr& view, LayoutAttribute attribute) {
        return view->anchor(attribute).constraint(anchor(attribute));
    };
    platform::ui::LayoutConstraint::activate({
        edge(contentStack_, LayoutAttribute::leading),
        edge(contentStack_, LayoutAttribute::trailing),
        edge(contentStack_, LayoutAttribute::top),
        edge(contentStack_, LayoutAttribute::bottom),
        same(imageContainer_, imageView_, LayoutAttribute::height),
        same(imageView_, imageContainer_, LayoutAttribute::centerX),
        same(imageView_, imageContainer_, LayoutAttribute::centerY),
    });
}

void TitleHeaderView::configure(platform::ui::ImagePtr image, std::string title,
                                std::string amount) {
    imageView_->setImage(std::move(image));
    titleLabel_->setText(std::move(title));
    amountLabel_->setText(std::move(amount));
    contentStack_->setCustomSpacing(components::Spacing::nano, *titleLabel_);
    contentStack_->setCustomSpacing(components::Spacing::micro, *imageContainer_);
    static const platform::ui::DirectionalEdgeInsets margins{
        components::Spacing::regular, components::Spacing::regular, components::Spacing::regular,
        components::Spacing::regular};
    contentStack_->setDirectionalLayoutMargins(margins);
}

}  // namespace corvend
