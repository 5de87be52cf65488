#include "CorvendWallet/ui/flows/card-deposit/DepositSummaryInteractor.hpp"

#include <utility>

namespace corvend {

DepositSummaryInteractor::DepositSummaryInteractor(std::shared_ptr<DepositService> depositService,
                                                   std::string depositID)
    : depositService_(std::move(depositService)), depositID_(std::move(depositID)) {}

void DepositSummaryInteractor::confirm() {
    executingTask_ = FlowTask::run<model::CustomerDeposit>(
        [service = depositService_, id = depositID_] {
            return service->confirm(model::DepositConfirm(id, std::nullopt));
        },
        [weakSelf = weak_from_this()](Result<model::CustomerDeposit> result) {
            const auto self = weakSelf.lock();
            const auto output = self ? self->output_.lock() : nullptr;
            if (!output) return;
            if (result) {
                output->didConfirm(*result);
            } else {
                output->didFail(result.error());
            }
        });
}

void DepositSummaryInteractor::cancel() {
    if (executingTask_) executingTask_->cancel();
}

}  // namespace corvend
