#include "CorvendWallet/ui/flows/card-deposit/DepositSummaryInteractor.hpp"

#include <utility>

#include "CorvendWallet/ui/flows/card-deposit/CardDepositError.hpp"

namespace corvend {

DepositSummaryInteractor::DepositSummaryInteractor(std::shared_ptr<DepositService> depositService,
                                                   std::string depositID)
    : depositService_(std::move(depositService)), depositID_(std::move(depositID)) {}

void DepositSummaryInteractor::confirm() {
    executingTask_ = FlowTask::run<model::CustomerDeposit>(
        [service = depositService_, id = depositID_] {
            // Its next step (a 3-D Secure page) would be another deposit's.
            return CardDepositError::ownDeposit(
                id, [&] { return service->confirm(model::DepositConfirm(id, std::nullopt)); });
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
