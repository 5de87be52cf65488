#pragma once

#include <memory>
#include <string>

#include "CorvendCoreComponents/TextField.hpp"
#include "CorvendWallet/ui/foundation/CVVAndExpiryDateViewDelegate.hpp"
#include "platform/ui/Button.hpp"
#include "platform/ui/View.hpp"

namespace corvend {

// The row of the card forms with the expiry field on the leading half and the security-code
// field, with its help button, on the trailing half. Filters what each field takes and tells
// its delegate of text changes (the inserted "/" too), the end of editing and taps on the help
// button. Main thread.
class CVVAndExpiryDateView : public platform::ui::View {
  public:
    explicit CVVAndExpiryDateView(platform::ui::Rect frame = {});
    ~CVVAndExpiryDateView() override;

    std::weak_ptr<CVVAndExpiryDateViewDelegate> delegate;
    // The security code's digits; 0 (nothing typed is taken) until the owner sets it and runs
    // setUpAsCvvField on cvvView() again.
    int cvvLength = 0;

    const std::shared_ptr<components::TextField>& cvvView() const { return cvvView_; }
    const std::shared_ptr<components::TextField>& expiryDateView() const { return expiryDateView_; }
    const std::shared_ptr<platform::ui::Button>& helpButton() const { return helpButton_; }

  private:
    class FieldDelegate;

    void textFieldTextDidChange(platform::ui::TextField& field);
    std::shared_ptr<FieldDelegate> fieldDelegate_;
    std::shared_ptr<components::TextField> cvvView_;
    std::shared_ptr<components::TextField> expiryDateView_;
    std::shared_ptr<platform::ui::Button> helpButton_;
};

// Number pad, the host's text for "Expiry date" as placeholder and the expiry helper text.
void setUpAsExpiryDateField(components::TextField& field);
// Number pad, the host's text for "CVV" as placeholder and cvvHelperText(length).
void setUpAsCvvField(components::TextField& field, int length);
// "3 " and the host's text of the security-code validation label.
std::string cvvHelperText(int length);

}  // namespace corvend
