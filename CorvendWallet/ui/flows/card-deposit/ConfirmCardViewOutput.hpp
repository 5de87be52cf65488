#pragma once

#include <optional>
#include <string>

namespace corvend {

// What the confirm-card screen tells its presenter. Main thread.
class ConfirmCardViewOutput {
  public:
    virtual ~ConfirmCardViewOutput() = default;

    virtual void viewDidLoad() = 0;
    virtual void didTapManageCardsHint() = 0;
    virtual void didTapSubmit() = 0;
    // Also when the field's editing ended.
    virtual void cvvDidChange(const std::optional<std::string>& text) = 0;
    virtual void didTapCVVHint() = 0;
    virtual void didTapClose() = 0;
};

}  // namespace corvend
