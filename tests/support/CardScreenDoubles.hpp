#pragma once

// What the card screens' tests share: an interactor and a router that record what the screen
// asks of them, and a deposit as the service would return it.

#include <string>
#include <utility>
#include <vector>

#include "CorvendWallet/services/money/DepositRepository.hpp"
#include "CorvendWallet/services/money/DepositServiceEndpoint.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositInteractorInput.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositRouterInput.hpp"
#include "tests/support/PaymentReplies.hpp"
#include "tests/support/WireCoding.hpp"

namespace corvend::testing {

class RecordingCardDepositInteractor : public CardDepositInteractorInput {
  public:
    void deposit(const CardDepositInput& input, bool isNewCard) override {
        deposits.emplace_back(input, isNewCard);
    }
    void cancel() override { ++cancels; }

    std::vector<std::pair<CardDepositInput, bool>> deposits;
    int cancels = 0;
};

class RecordingCardDepositRouter : public CardDepositRouterInput {
  public:
    void presentHint(const std::string& title, const platform::ui::AttributedString&) override {
        hintTitles.push_back(title);
    }

    std::vector<std::string> hintTitles;
};

inline model::CustomerDeposit pendingDeposit() {
    return DepositRepository::customerDeposit(
        decodedReply<DepositServiceEndpoint::CustomerDepositResponse>(
            "{" + kDepositRequiredMembers + "}"));
}

}  // namespace corvend::testing
