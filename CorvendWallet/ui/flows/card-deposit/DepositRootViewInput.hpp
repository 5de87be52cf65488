#pragma once

namespace corvend {

// The flow's loading screen, as its presenter drives it.
class DepositRootViewInput {
  public:
    virtual ~DepositRootViewInput() = default;
    virtual void startLoading() = 0;
    virtual void stopLoading() = 0;
};

}  // namespace corvend
