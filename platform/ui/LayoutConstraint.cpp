#include "platform/ui/LayoutConstraint.hpp"

#include "platform/ui/View.hpp"

namespace corvend::platform::ui {

LayoutAnchor::LayoutAnchor(std::weak_ptr<const ViewHandle> item, LayoutAttribute attribute,
                           bool safeArea)
    : item_(std::move(item)), attribute_(attribute), safeArea_(safeArea) {}

View* LayoutAnchor::view() const {
    const auto handle = item_.lock();
    return handle ? handle->view : nullptr;
}

LayoutConstraintPtr LayoutAnchor::constraint(const LayoutAnchor& other, double constant) const {
    return std::make_shared<LayoutConstraint>(*this, other, constant);
}

LayoutConstraintPtr LayoutAnchor::constraint(double constant) const {
    return std::make_shared<LayoutConstraint>(*this, std::nullopt, constant);
}

LayoutConstraint::LayoutConstraint(LayoutAnchor first, std::optional<LayoutAnchor> second,
                                   double constant)
    : first_(std::move(first)), second_(std::move(second)), constant_(constant) {}

void LayoutConstraint::setActive(bool active) {
    if (active == active_) return;
    active_ = active;
    if (View* view = first_.view()) view->keepConstraint(shared_from_this(), active);
}

void LayoutConstraint::activate(const std::vector<LayoutConstraintPtr>& constraints) {
    for (const auto& constraint : constraints) constraint->setActive(true);
}

void LayoutConstraint::deactivate(const std::vector<LayoutConstraintPtr>& constraints) {
    for (const auto& constraint : constraints) constraint->setActive(false);
}

}  // namespace corvend::platform::ui
