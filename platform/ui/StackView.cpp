#include "platform/ui/StackView.hpp"

#include <algorithm>

namespace corvend::platform::ui {

StackView::StackView(const std::vector<ViewPtr>& arrangedSubviews) {
    for (const auto& view : arrangedSubviews) addArrangedSubview(view);
}

void StackView::addArrangedSubview(const ViewPtr& view) {
    if (!view) return;
    std::erase(arranged_, view);
    arranged_.push_back(view);
    addSubview(view);
}

void StackView::removeArrangedSubview(const ViewPtr& view) {
    std::erase(arranged_, view);
    customSpacing_.erase(view.get());
}

std::optional<double> StackView::customSpacing(const View& view) const {
    const auto found = customSpacing_.find(&view);
    return found == customSpacing_.end() ? std::nullopt : std::optional(found->second);
}

void StackView::setCustomSpacing(double spacing, const View& view) {
    customSpacing_[&view] = spacing;
}

void StackView::willRemoveSubview(View& subview) {
    std::erase_if(arranged_, [&](const ViewPtr& view) { return view.get() == &subview; });
    customSpacing_.erase(&subview);
}

}  // namespace corvend::platform::ui
