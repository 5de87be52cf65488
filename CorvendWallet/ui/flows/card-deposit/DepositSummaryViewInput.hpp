#pragma once

#include "CorvendWallet/ui/flows/card-deposit/DepositSummaryViewModel.hpp"

namespace corvend {

// The deposit summary's view, as its presenter drives it.
class DepositSummaryViewInput {
  public:
    virtual ~DepositSummaryViewInput() = default;
    // Shows `viewModel` (the table reloads).
    virtual void setViewModel(DepositSummaryViewModel viewModel) = 0;
    // The confirm button's loading state, in which it takes no taps.
    virtual void showLoading() = 0;
    virtual void hideLoading() = 0;
};

}  // namespace corvend
