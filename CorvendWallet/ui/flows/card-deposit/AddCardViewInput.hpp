#pragma once

#include <functional>

#include "CorvendWallet/ui/flows/card-deposit/AddCardBottomViewModel.hpp"
#include "CorvendWallet/ui/flows/card-deposit/AddCardViewModel.hpp"

namespace corvend {

// What the add-card presenter uses of its screen. Main thread.
class AddCardViewInput {
  public:
    virtual ~AddCardViewInput() = default;

    virtual const AddCardViewModel& viewModel() const = 0;
    // One change of the model; the visible cells are drawn again after it.
    virtual void updateViewModel(const std::function<void(AddCardViewModel&)>& change) = 0;
    virtual void setSubmitButtonEnabled(bool enabled) = 0;
    virtual void showSubmitButtonLoading() = 0;
    virtual void hideSubmitButtonLoading() = 0;
    virtual void setBottomViewModel(AddCardBottomViewModel model) = 0;
};

}  // namespace corvend
