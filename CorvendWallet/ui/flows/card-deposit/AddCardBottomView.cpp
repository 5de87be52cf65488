#include "CorvendWallet/ui/flows/card-deposit/AddCardBottomView.hpp"

#include <string>
#include <utility>

#include "CorvendCoreComponents/BaseTheme.hpp"
#include "CorvendCoreComponents/Spacing.hpp"
#include "CorvendCoreComponents/ViewLayout.hpp"
#include "CorvendCoreComponents/Views.hpp"
#include "CorvendWallet/ui/foundation/LocalizedStrings.hpp"

namespace corvend {

using components::Spacing;
using components::Views;
using platform::ui::StackView;

AddCardBottomView::AddCardBottomView(platform::ui::Rect frame)
    : availablePaymentMethodsLabel_(Views::Labels::caption1()) {
    availablePaymentMethodsLabel_->setTextAlignment(platform::ui::TextAlignment::center);
    // Looked up once per process: the caption does not follow a language change while running.
    availablePaymentMethodsLabel_->setText(keptLocalizedFormatted("Accepted Cards"));
    setFrame(frame);
    setBackgroundColor(components::BaseTheme::background());
    auto stack = Views::vStack({paymentMethodsStack(), button()});
    stack->setSpacing(Spacing::regular);
    components::setFillingView(*this, stack);
}

void AddCardBottomView::setBottomViewModel(std::optional<AddCardBottomViewModel> model) {
    model_ = std::move(model);
    applyModel();
}

const std::shared_ptr<components::Button>& AddCardBottomView::button() {
    if (!button_) {
        button_ = std::make_shared<components::Button>();
        button_->setTranslatesAutoresizingMaskIntoConstraints(false);
        button_->setStyle(components::ButtonStyle::primary);
    }
    return button_;
}

const std::shared_ptr<StackView>& AddCardBottomView::paymentMethodsContainer() {
    if (!paymentMethodsContainer_) {
        paymentMethodsContainer_ = Views::hStack();
        paymentMethodsContainer_->setSpacing(Spacing::tiny);
    }
    return paymentMethodsContainer_;
}

const std::shared_ptr<StackView>& AddCardBottomView::paymentMethodsStack() {
    if (!paymentMethodsStack_) {
        paymentMethodsStack_ =
            Views::vStack({availablePaymentMethodsLabel_, paymentMethodsContainer()});
        paymentMethodsStack_->setAlignment(StackView::Alignment::center);
        paymentMethodsStack_->setSpacing(Spacing::tiny);
    }
    return paymentMethodsStack_;
}

void AddCardBottomView::traitCollectionDidChange(std::optional<platform::ui::Traits> previous) {
    platform::ui::View::traitCollectionDidChange(previous);
    if (!previous || previous->userInterfaceStyle != traits().userInterfaceStyle) applyModel();
}

void AddCardBottomView::applyModel() {
    if (!model_) return;
    const auto container = paymentMethodsContainer();
    const auto arranged = container->arrangedSubviews();
    for (const auto& view : arranged) view->removeFromSuperview();
    for (const auto& image : model_->images) {
        auto logo = Views::image(image, Views::ImageSize::square32);
        logo->setContentMode(platform::ui::ContentMode::scaleAspectFit);
        container->addArrangedSubview(logo);
    }
    paymentMethodsStack()->setHidden(model_->images.empty());
    button()->setTitle(model_->buttonTitle);
}

}  // namespace corvend
