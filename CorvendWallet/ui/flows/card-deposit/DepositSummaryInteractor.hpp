#pragma once

#include <memory>
#include <string>

#include "CorvendWallet/services/money/DepositService.hpp"
#include "CorvendWallet/ui/flows/card-deposit/DepositSummaryInteractorInput.hpp"
#include "CorvendWallet/ui/flows/card-deposit/DepositSummaryInteractorOutput.hpp"
#include "CorvendWallet/ui/foundation/FlowTask.hpp"

namespace corvend {

// Confirms the deposit (to "PROCESSING") and reports to the presenter, held weakly. Main thread.
class DepositSummaryInteractor : public DepositSummaryInteractorInput,
                                 public std::enable_shared_from_this<DepositSummaryInteractor> {
  public:
    DepositSummaryInteractor(std::shared_ptr<DepositService> depositService, std::string depositID);

    void setOutput(std::weak_ptr<DepositSummaryInteractorOutput> output) {
        output_ = std::move(output);
    }

    void confirm() override;
    void cancel() override;

  private:
    const std::shared_ptr<DepositService> depositService_;
    const std::string depositID_;
    std::shared_ptr<FlowTask> executingTask_;
    std::weak_ptr<DepositSummaryInteractorOutput> output_;
};

}  // namespace corvend
