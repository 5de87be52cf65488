#pragma once

#include <functional>

#include "CorvendWallet/ui/flows/card-deposit/AddCardBottomViewModel.hpp"
#include "CorvendWallet/ui/flows/card-deposit/ConfirmCardViewModel.hpp"

namespace corvend {

// What the confirm-card presenter uses of its screen. Main thread.
class ConfirmCardViewInput {
  public:
    virtual ~ConfirmCardViewInput() = default;

    virtual const ConfirmCardViewModel& viewModel() const = 0;
    // One change of the model; the visible cells are drawn again after it.
    virtual void updateViewModel(const std::function<void(ConfirmCardViewModel&)>& change) = 0;
    virtual void showSubmitButtonLoading() = 0;
    virtual void hideSubmitButtonLoading() = 0;
    virtual void setBottomViewModel(AddCardBottomViewModel model) = 0;
};

}  // namespace corvend
