#include "platform/ui/View.hpp"

#include <algorithm>
#include <utility>

#include "platform/ui/MainThread.hpp"
#include "platform/ui/TapGestureRecognizer.hpp"

namespace corvend::platform::ui {

View::View() : handle_(std::make_shared<ViewHandle>(ViewHandle{this})) {
    requireMainThread("a view");
}

View::~View() {
    handle_->view = nullptr;
}

View* View::superview() const {
    const auto handle = superview_.lock();
    return handle ? handle->view : nullptr;
}

void View::addSubview(const ViewPtr& view) {
    requireMainThread("View::addSubview");
    if (!view || view.get() == this) return;
    const ViewPtr keep = view;  // removal from the old superview must not destroy it
    if (View* old = view->superview(); old == this) {
        std::erase(subviews_, view);
    } else {
        view->removeFromSuperview();
    }
    subviews_.push_back(view);
    view->superview_ = handle_;
}

void View::removeFromSuperview() {
    requireMainThread("View::removeFromSuperview");
    View* parent = superview();
    if (!parent) return;
    const ViewPtr self = weak_from_this().lock();  // the superview may hold the last reference
    parent->willRemoveSubview(*this);
    std::erase_if(parent->subviews_, [this](const ViewPtr& view) { return view.get() == this; });
    superview_.reset();
}

void View::willRemoveSubview(View&) {}

bool View::isVisible() const {
    for (const View* view = this; view; view = view->superview())
        if (view->hidden_) return false;
    return true;
}

ColorPtr View::tintColor() const {
    for (const View* view = this; view; view = view->superview())
        if (view->tintColor_) return view->tintColor_;
    return nullptr;
}

float View::contentHuggingPriority(LayoutAxis axis) const {
    return axis == LayoutAxis::horizontal ? horizontalHugging_ : verticalHugging_;
}

void View::setContentHuggingPriority(float priority, LayoutAxis axis) {
    (axis == LayoutAxis::horizontal ? horizontalHugging_ : verticalHugging_) = priority;
}

Traits View::traits() const {
    for (const View* view = this; view; view = view->superview())
        if (view->overrideTraits_) return *view->overrideTraits_;
    return Traits{};
}

void View::setOverrideTraits(std::optional<Traits> traits) {
    requireMainThread("View::setOverrideTraits");
    overrideTraits_ = traits;
    announceTraits();
}

void View::announceTraits() {
    const Traits now = traits();
    if (announcedTraits_ != now) {
        const auto previous = std::exchange(announcedTraits_, now);
        traitCollectionDidChange(previous);
    }
    // A copy: a view may rebuild its subviews when its traits change.
    const auto children = subviews_;
    for (const auto& child : children)
        if (!child->overrideTraits_) child->announceTraits();
}

void View::traitCollectionDidChange(std::optional<Traits>) {}

LayoutAnchor View::anchor(LayoutAttribute attribute) const {
    return LayoutAnchor(handle_, attribute, false);
}

LayoutAnchor View::safeAreaAnchor(LayoutAttribute attribute) const {
    return LayoutAnchor(handle_, attribute, true);
}

void View::keepConstraint(const LayoutConstraintPtr& constraint, bool active) {
    std::erase(constraints_, constraint);
    if (active) constraints_.push_back(constraint);
}

Size View::systemLayoutSizeFitting(Size target, float, float) {
    return target;
}

bool View::endEditing(bool force) {
    requireMainThread("View::endEditing");
    bool cleared = true;
    if (isFirstResponder() && !resignFirstResponder() && !force) cleared = false;
    const auto children = subviews_;
    for (const auto& child : children) cleared = child->endEditing(force) && cleared;
    return cleared && !isFirstResponder();
}

void View::addGestureRecognizer(const std::shared_ptr<TapGestureRecognizer>& recognizer) {
    requireMainThread("View::addGestureRecognizer");
    recognizer->attach(handle_);
    gestureRecognizers_.push_back(recognizer);
}

bool View::tap() {
    requireMainThread("View::tap");
    if (!isVisible()) return false;
    bool reachesView = true;
    for (View* view = this; view; view = view->superview()) {
        const auto recognizers = view->gestureRecognizers_;
        for (const auto& recognizer : recognizers)
            if (recognizer->recognize() && recognizer->cancelsTouchesInView()) reachesView = false;
    }
    return reachesView;
}

void View::layoutIfNeeded() {
    const auto children = subviews_;
    for (const auto& child : children) child->layoutIfNeeded();
}

std::vector<std::string> View::snapshotLines() {
    layoutIfNeeded();
    std::vector<std::string> lines;
    appendSnapshotTree(lines);
    return lines;
}

void View::appendSnapshotTree(std::vector<std::string>& lines) const {
    if (hidden_) return;
    appendSnapshot(lines);
    for (const auto& child : subviews_) child->appendSnapshotTree(lines);
}

void View::appendSnapshot(std::vector<std::string>&) const {}

}  // namespace corvend::platform::ui
