#include "CorvendCoreComponents/CheckboxLabelView.hpp"

#include "CorvendCoreComponents/Spacing.hpp"
#include "CorvendCoreComponents/ViewLayout.hpp"
#include "CorvendCoreComponents/Views.hpp"

namespace corvend::components {

CheckboxLabelView::CheckboxLabelView()
    : checkbox_(std::make_shared<CheckboxButton>()), label_(std::make_shared<LinksLabel>()) {
    label_->setNumberOfLines(0);
    const auto row = Views::hStack({checkbox_, label_});
    row->setSpacing(Spacing::tiny);
    row->setAlignment(platform::ui::StackView::Alignment::top);
    setFillingView(*this, row);
    // The handlers are read when used, so an owner may set them at any time.
    const std::weak_ptr<Handlers> handlers = handlers_;
    checkbox_->addTarget(platform::ui::ControlEvent::valueChanged,
                         [handlers](platform::ui::Control& sender) {
                             const auto shared = handlers.lock();
                             if (const auto action = shared ? shared->selection : nullptr)
                                 action(sender.isSelected());
                         });
    label_->tapHandler = [handlers](const std::string& link) {
        const auto shared = handlers.lock();
        if (const auto handler = shared ? shared->link : nullptr) handler(link);
    };
}

void CheckboxLabelView::update(LinksLabel::Model model) {
    label_->update(std::move(model));
}

}  // namespace corvend::components
