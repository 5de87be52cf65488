#include "CorvendWallet/ui/foundation/DetailsListItemView.hpp"

#include "CorvendCoreComponents/Constraint.hpp"
#include "CorvendCoreComponents/Spacing.hpp"
#include "CorvendCoreComponents/Theme.hpp"
#include "CorvendCoreComponents/Views.hpp"
#include "platform/ui/LayoutConstraint.hpp"

namespace corvend {

using components::DreloFontTextStyle;
using components::Spacing;

namespace {

std::shared_ptr<components::Label> wrapping(DreloFontTextStyle style) {
    auto label = std::make_shared<components::Label>(
        style, components::Theme::defaultTheme()->colorPalette().labelColor.primary.onSurface);
    label->setNumberOfLines(0);
    return label;
}

}  // namespace

DetailsListItemView::DetailsListItemView(platform::ui::Rect frame)
    : leftLabel_(wrapping(DreloFontTextStyle::text1)),
      rightLabel_(wrapping(DreloFontTextStyle::subtitle2)),
      hStack_(components::Views::hStack()) {
    rightLabel_->setTextAlignment(platform::ui::TextAlignment::right);
    hStack_->setSpacing(Spacing::tiny);
    hStack_->setAlignment(platform::ui::StackView::Alignment::top);
    hStack_->setDistribution(platform::ui::StackView::Distribution::fillEqually);
    setFrame(frame);
    setContentHuggingPriority(750, platform::ui::LayoutAxis::vertical);
    setTranslatesAutoresizingMaskIntoConstraints(false);
    hStack_->addArrangedSubview(leftLabel_);
    hStack_->addArrangedSubview(rightLabel_);
    addSubview(hStack_);
    platform::ui::LayoutConstraint::activate(components::Constraint::Container::fill(
        *this, *hStack_, Spacing::small, -Spacing::small, Spacing::regular, -Spacing::regular));
}

}  // namespace corvend
