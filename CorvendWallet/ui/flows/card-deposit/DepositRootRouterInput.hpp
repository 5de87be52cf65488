#pragma once

#include <string>
#include <vector>

#include "CorvendWallet/services/cards/CardPaymentInstrument.hpp"
#include "CorvendWallet/services/money/CustomerDeposit.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDetails.hpp"
#include "CorvendWallet/ui/foundation/CardType.hpp"

namespace corvend {

// The flow's moves between screens. Main thread.
class DepositRootRouterInput {
  public:
    virtual ~DepositRootRouterInput() = default;
    virtual void routeToAddCard(const std::vector<CardType>& supportedCards,
                                const model::CustomerDeposit& deposit) = 0;
    virtual void routeToConfirmCard(const model::CardPaymentInstrument& instrument,
                                    const model::CustomerDeposit& deposit,
                                    const std::vector<CardType>& supportedCards) = 0;
    virtual void routeToDepositSummary(const model::CustomerDeposit& deposit,
                                       const CardDetails& cardDetails) = 0;
    // Pushes the 3-D Secure page; false, with nothing pushed, when `urlString` is no URL.
    virtual bool showThreeDSWebView(const std::string& urlString,
                                    const std::string& defaultUrl) = 0;
    virtual void dismissFlow() = 0;
};

}  // namespace corvend
