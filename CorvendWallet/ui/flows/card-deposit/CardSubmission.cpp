#include "CorvendWallet/ui/flows/card-deposit/CardSubmission.hpp"

#include <utility>

namespace corvend {

bool CardSubmission::begin() {
    if (submitting_ || finished_) return false;
    submitting_ = true;
    return true;
}

void CardSubmission::close() {
    if (submitting_)
        closeRequested_ = true;
    else
        report(CardDepositState::cancel());
}

void CardSubmission::succeeded(const model::CustomerDeposit& deposit,
                               const CardDetails& cardDetails) {
    submitting_ = false;
    report(closeRequested_ ? CardDepositState::cancel()
                           : CardDepositState::success(deposit, cardDetails));
}

void CardSubmission::failed(const Error& error) {
    submitting_ = false;
    report(CardDepositState::failure(error));
}

void CardSubmission::report(CardDepositState state) {
    if (finished_) return;
    finished_ = true;
    if (completionHandler_) completionHandler_(std::move(state));
}

}  // namespace corvend
