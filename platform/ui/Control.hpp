#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/View.hpp"

namespace corvend::platform::ui {

enum class ControlEvent {
    touchUpInside,
    valueChanged,
    editingDidBegin,
    editingChanged,
    editingDidEnd
};
enum class ControlState { normal, highlighted, disabled, selected };

// A view that reports a person's use to its targets.
class Control : public View {
  public:
    using Action = std::function<void(Control& sender)>;

    // Registers `action` for `event`; actions run in the order they were added. An owner that
    // targets itself captures itself weakly (or, targeting its own control, by address).
    void addTarget(ControlEvent event, Action action);
    // Runs the actions of `event`.
    void sendActions(ControlEvent event);

    bool isEnabled() const { return enabled_; }
    virtual void setEnabled(bool enabled) { enabled_ = enabled; }
    bool isSelected() const { return selected_; }
    void setSelected(bool selected) { selected_ = selected; }
    ControlState state() const;

    // A person's tap: ignored (false) while the control is disabled, hidden or refuses taps;
    // otherwise the tap recognisers around it fire and, unless one keeps the touch, the
    // control handles it (a touch-up-inside).
    bool tap() override;

  protected:
    // Whether the control takes a tap now; a subclass may refuse more.
    virtual bool acceptsTap() const { return enabled_ && isVisible(); }
    virtual void handleTap();
    // The control's states for a snapshot ("disabled").
    virtual std::vector<std::string> snapshotFlags() const;
    static std::string flagsText(const std::vector<std::string>& flags);

  private:
    std::vector<std::pair<ControlEvent, Action>> actions_;
    bool enabled_ = true;
    bool selected_ = false;
};

}  // namespace corvend::platform::ui
