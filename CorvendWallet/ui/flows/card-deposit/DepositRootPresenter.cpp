#include "CorvendWallet/ui/flows/card-deposit/DepositRootPresenter.hpp"

#include <algorithm>
#include <utility>

#include "CorvendWallet/services/cards/CardPaymentInstrument.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositError.hpp"

namespace corvend {

namespace {

CardDepositResult internalFailure(bool terminal) {
    auto error = Error::make(CardDepositError(CardDepositError::internalError));
    return terminal ? CardDepositResult::terminalFailure(std::move(error))
                    : CardDepositResult::nonTerminalFailure(std::move(error));
}

}  // namespace

DepositRootPresenter::DepositRootPresenter(std::shared_ptr<DepositRootInteractorInput> interactor,
                                           std::shared_ptr<DepositRootRouterInput> router,
                                           std::weak_ptr<DepositRootViewInput> view,
                                           std::function<void(CardDepositResult)> completionHandler)
    : interactor_(std::move(interactor)),
      router_(std::move(router)),
      view_(std::move(view)),
      completionHandler_(std::move(completionHandler)) {}

void DepositRootPresenter::viewDidLoad() {
    if (const auto view = view_.lock()) view->startLoading();
    interactor_->load();
}

void DepositRootPresenter::stopLoading() {
    if (const auto view = view_.lock()) view->stopLoading();
}

void DepositRootPresenter::showAddCard(const model::CustomerDeposit& deposit,
                                       const std::vector<CardType>& supportedCards) {
    stopLoading();
    router_->routeToAddCard(supportedCards, deposit);
}

void DepositRootPresenter::showConfirmCard(
    std::shared_ptr<const model::PaymentInstrument> instrument,
    const model::CustomerDeposit& deposit, const std::vector<CardType>& supportedCards) {
    stopLoading();
    const auto* card = instrument ? instrument->as<model::CardPaymentInstrument>() : nullptr;
    if (card == nullptr) {
        complete(internalFailure(false));
        return;
    }
    router_->routeToConfirmCard(*card, deposit, supportedCards);
}

void DepositRootPresenter::loadDidFail(CardDepositResult result) {
    stopLoading();
    complete(std::move(result));
}

void DepositRootPresenter::handleCardDepositState(CardDepositState state) {
    if (finished_) return;
    if (auto* success = std::get_if<CardDepositState::Success>(&state.value)) {
        router_->routeToDepositSummary(success->deposit, success->cardDetails);
    } else if (auto* failure = std::get_if<CardDepositState::Failure>(&state.value)) {
        complete(CardDepositResult::terminalFailure(failure->error));
    } else {
        cancelFlow();
    }
}

void DepositRootPresenter::handleSummaryState(CardDepositSummaryState state) {
    if (finished_) return;
    if (auto* success = std::get_if<CardDepositSummaryState::Success>(&state.value)) {
        finishDeposit(success->deposit);
    } else if (auto* failure = std::get_if<CardDepositSummaryState::Failure>(&state.value)) {
        complete(CardDepositResult::terminalFailure(failure->error));
    } else {
        cancelFlow();
    }
}

void DepositRootPresenter::threeDSDidComplete() {
    complete(CardDepositResult::completed());
}

void DepositRootPresenter::finishDeposit(const model::CustomerDeposit& deposit) {
    const auto action = deposit.action();
    if (!action || *action == model::DepositAction::none) {
        complete(CardDepositResult::completed());
        return;
    }
    if (*action != model::DepositAction::redirect) {
        complete(internalFailure(true));
        return;
    }
    const auto& links = deposit.returnUrls();
    const model::ReturnLink* returnLink = nullptr;
    if (links) {
        const auto found = std::ranges::find_if(*links, [](const model::ReturnLink& link) {
            return link.rel() == model::ReturnLink::ReturnLinkType::defaultRel;
        });
        if (found != links->end()) returnLink = &*found;
    }
    const auto& redirect = deposit.redirectUrl();
    if (returnLink == nullptr || !returnLink->href() || !redirect || !redirect->href() ||
        !router_->showThreeDSWebView(*redirect->href(), *returnLink->href())) {
        complete(internalFailure(true));
    }
}

void DepositRootPresenter::cancelFlow() {
    if (finished_) return;
    router_->dismissFlow();
    complete(CardDepositResult::cancelled());
}

void DepositRootPresenter::complete(CardDepositResult result) {
    if (finished_) return;
    finished_ = true;
    const auto handler = completionHandler_;
    handler(std::move(result));
}

}  // namespace corvend
