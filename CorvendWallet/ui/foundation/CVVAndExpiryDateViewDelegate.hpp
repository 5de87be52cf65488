#pragma once

#include "platform/ui/TextField.hpp"

namespace corvend {

class CVVAndExpiryDateView;

// What the expiry and security-code row tells its owner.
class CVVAndExpiryDateViewDelegate {
  public:
    virtual ~CVVAndExpiryDateViewDelegate() = default;

    // Also for the "/" the expiry field inserts itself.
    virtual void cvvAndExpiryDateViewTextFieldTextDidChange(CVVAndExpiryDateView& view,
                                                            platform::ui::TextField& field) = 0;
    virtual void cvvAndExpiryDateViewTextFieldDidEndEditing(CVVAndExpiryDateView& view,
                                                            platform::ui::TextField& field) = 0;
    virtual void cvvAndExpiryDateViewDidTapCVVHint() = 0;
};

}  // namespace corvend
