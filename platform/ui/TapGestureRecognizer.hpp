#pragma once

#include <functional>
#include <memory>

#include "platform/ui/ViewHandle.hpp"

namespace corvend::platform::ui {

// Recognises a tap on its view or anywhere inside it and calls its action.
class TapGestureRecognizer {
  public:
    explicit TapGestureRecognizer(std::function<void()> action) : action_(std::move(action)) {}

    // Whether a recognised tap is kept from the touched view (the platform's default: true).
    bool cancelsTouchesInView() const { return cancelsTouchesInView_; }
    void setCancelsTouchesInView(bool cancels) { cancelsTouchesInView_ = cancels; }
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }
    View* view() const;

    // Called by the view on a tap; true when the action ran.
    bool recognize();

    void attach(std::weak_ptr<const ViewHandle> view) { view_ = std::move(view); }

  private:
    std::function<void()> action_;
    std::weak_ptr<const ViewHandle> view_;
    bool cancelsTouchesInView_ = true;
    bool enabled_ = true;
};

}  // namespace corvend::platform::ui
