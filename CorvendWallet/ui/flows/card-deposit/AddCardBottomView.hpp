#pragma once

#include <memory>
#include <optional>

#include "CorvendCoreComponents/Button.hpp"
#include "CorvendCoreComponents/Label.hpp"
#include "CorvendWallet/ui/flows/card-deposit/AddCardBottomViewModel.hpp"
#include "platform/ui/StackView.hpp"
#include "platform/ui/View.hpp"

namespace corvend {

// The bottom of the two card forms: the caption "Accepted Cards" over a row of the accepted
// brands' logos, and under them the screen's main button, which the screen drives itself
// (enabled state, action, loading). Main thread.
class AddCardBottomView : public platform::ui::View {
  public:
    explicit AddCardBottomView(platform::ui::Rect frame = {});

    const std::optional<AddCardBottomViewModel>& bottomViewModel() const { return model_; }
    // Redraws the logos and the button title.
    void setBottomViewModel(std::optional<AddCardBottomViewModel> model);

    const std::shared_ptr<components::Button>& button();
    const std::shared_ptr<platform::ui::StackView>& paymentMethodsContainer();
    const std::shared_ptr<platform::ui::StackView>& paymentMethodsStack();
    const std::shared_ptr<components::Label>& availablePaymentMethodsLabel() const {
        return availablePaymentMethodsLabel_;
    }

    void traitCollectionDidChange(std::optional<platform::ui::Traits> previous) override;

  private:
    void applyModel();

    std::optional<AddCardBottomViewModel> model_;
    std::shared_ptr<components::Button> button_;
    std::shared_ptr<platform::ui::StackView> paymentMethodsContainer_;
    std::shared_ptr<components::Label> availablePaymentMethodsLabel_;
    std::shared_ptr<platform::ui::StackView> paymentMethodsStack_;
};

}  // namespace corvend
