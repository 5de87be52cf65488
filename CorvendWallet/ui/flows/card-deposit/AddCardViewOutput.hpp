#pragma once

#include <optional>
#include <string>

namespace corvend {

// What the add-card screen tells its presenter. Main thread.
class AddCardViewOutput {
  public:
    virtual ~AddCardViewOutput() = default;

    virtual void viewDidLoad() = 0;
    // Each of the three also when the field's editing ended.
    virtual void cardNumberDidChange(const std::optional<std::string>& text) = 0;
    virtual void expiryDateDidChange(const std::optional<std::string>& text) = 0;
    virtual void cvvDidChange(const std::optional<std::string>& text) = 0;
    virtual void updateSubmitButtonState() = 0;
    virtual void cardLabelDidChange(const std::optional<std::string>& text) = 0;
    virtual void saveCardDetailsDidChange(bool saved) = 0;
    virtual void didTapSubmit() = 0;
    virtual void didTapCVVHint() = 0;
    virtual void didTapManageCardsHint() = 0;
    virtual void didTapSaveCardsHint() = 0;
    virtual void didTapClose() = 0;
};

}  // namespace corvend
