#include "CorvendWallet/ui/flows/card-deposit/DepositSummaryPresenter.hpp"

#include <utility>
#include <vector>

namespace corvend {

DepositSummaryPresenter::DepositSummaryPresenter(
    model::CustomerDeposit deposit, CardDetails cardDetails,
    std::weak_ptr<DepositSummaryViewInput> view,
    std::shared_ptr<DepositSummaryInteractorInput> interactor, MoneyFormatter formatter,
    std::function<void(CardDepositSummaryState)> completionHandler)
    : deposit_(std::move(deposit)),
      cardDetails_(std::move(cardDetails)),
      view_(std::move(view)),
      interactor_(std::move(interactor)),
      formatter_(std::move(formatter)),
      completionHandler_(std::move(completionHandler)) {}

void DepositSummaryPresenter::viewDidLoad() {
    if (const auto view = view_.lock()) view->setViewModel(makeViewModel());
}

void DepositSummaryPresenter::didTapConfirm() {
    if (confirming_ || finished_) return;
    confirming_ = true;
    if (const auto view = view_.lock()) view->showLoading();
    interactor_->confirm();
}

void DepositSummaryPresenter::didTapClose() {
    // The deposit's fate is being decided on the service: its answer reports, not the close.
    if (confirming_) {
        closeRequested_ = true;
        return;
    }
    finish(CardDepositSummaryState::cancel());
}

void DepositSummaryPresenter::didConfirm(const model::CustomerDeposit& deposit) {
    confirming_ = false;
    if (const auto view = view_.lock()) view->hideLoading();
    // Left before the card issuer's check: the money has not moved.
    if (closeRequested_ && deposit.action() == model::DepositAction::redirect) {
        finish(CardDepositSummaryState::cancel());
        return;
    }
    finish(CardDepositSummaryState::success(deposit));
}

void DepositSummaryPresenter::didFail(const Error& error) {
    confirming_ = false;
    if (const auto view = view_.lock()) view->hideLoading();
    finish(CardDepositSummaryState::failure(error));
}

void DepositSummaryPresenter::finish(CardDepositSummaryState state) {
    if (finished_) return;
    finished_ = true;
    completionHandler_(std::move(state));
}

std::optional<std::int64_t> DepositSummaryPresenter::feesTotal() const {
    std::vector<std::int64_t> amounts;
    for (const auto& fee : deposit_.fees()) {
        if (!fee.currency || *fee.currency == deposit_.currencyCode())
            amounts.push_back(fee.amount);
    }
    return MoneyFormatter::checkedSum(amounts);
}

DepositSummaryViewModel DepositSummaryPresenter::makeViewModel() const {
    const std::string& currency = deposit_.currencyCode();
    const auto fees = feesTotal();
    const auto total =
        fees ? MoneyFormatter::checkedSum(std::vector<std::int64_t>{*fees, deposit_.amount()})
             : std::nullopt;
    return {.instrumentLogo = cardDetails_.cardLogo,
            .instrumentName = cardDetails_.cardName,
            .amount = formatter_.format(deposit_.amount(), currency),
            .fees = fees ? formatter_.format(*fees, currency) : "",
            .totalAmount = total ? formatter_.format(*total, currency) : ""};
}

}  // namespace corvend
