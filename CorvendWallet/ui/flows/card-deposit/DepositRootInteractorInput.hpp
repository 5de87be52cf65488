#pragma once

namespace corvend {

// The flow's loader: the deposit, its options and the saved card.
class DepositRootInteractorInput {
  public:
    virtual ~DepositRootInteractorInput() = default;
    virtual void load() = 0;
    // Cancels the running load: it then reports nothing.
    virtual void cancel() = 0;
};

}  // namespace corvend
