#pragma once

namespace corvend {

// The deposit summary's interactor: the confirm step.
class DepositSummaryInteractorInput {
  public:
    virtual ~DepositSummaryInteractorInput() = default;
    virtual void confirm() = 0;
    // Cancels a running confirm: it then reports nothing.
    virtual void cancel() = 0;
};

}  // namespace corvend
