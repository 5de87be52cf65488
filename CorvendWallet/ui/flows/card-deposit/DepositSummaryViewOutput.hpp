#pragma once

namespace corvend {

// The deposit summary's presenter, as its view reports to it.
class DepositSummaryViewOutput {
  public:
    virtual ~DepositSummaryViewOutput() = default;
    virtual void viewDidLoad() = 0;
    virtual void didTapConfirm() = 0;
    virtual void didTapClose() = 0;
};

}  // namespace corvend
