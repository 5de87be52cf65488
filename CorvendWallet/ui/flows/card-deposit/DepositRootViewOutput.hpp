#pragma once

namespace corvend {

// The flow's presenter, as the loading screen reports to it.
class DepositRootViewOutput {
  public:
    virtual ~DepositRootViewOutput() = default;
    virtual void viewDidLoad() = 0;
};

}  // namespace corvend
