#include "platform/ui/ActivityIndicatorView.hpp"

namespace corvend::platform::ui {

ActivityIndicatorView::ActivityIndicatorView(Style style) : style_(style) {
    setHidden(true);
}

void ActivityIndicatorView::setHidesWhenStopped(bool hides) {
    hidesWhenStopped_ = hides;
    if (!animating_) setHidden(hides);
}

void ActivityIndicatorView::startAnimating() {
    animating_ = true;
    if (hidesWhenStopped_) setHidden(false);
}

void ActivityIndicatorView::stopAnimating() {
    animating_ = false;
    if (hidesWhenStopped_) setHidden(true);
}

void ActivityIndicatorView::appendSnapshot(std::vector<std::string>& lines) const {
    lines.push_back(animating_ ? "spinner: spinning" : "spinner: stopped");
}

}  // namespace corvend::platform::ui
