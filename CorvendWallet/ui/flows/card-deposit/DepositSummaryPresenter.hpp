#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "CorvendWallet/services/money/CustomerDeposit.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositSummaryState.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDetails.hpp"
#include "CorvendWallet/ui/flows/card-deposit/DepositSummaryInteractorInput.hpp"
#include "CorvendWallet/ui/flows/card-deposit/DepositSummaryInteractorOutput.hpp"
#include "CorvendWallet/ui/flows/card-deposit/DepositSummaryViewInput.hpp"
#include "CorvendWallet/ui/flows/card-deposit/DepositSummaryViewOutput.hpp"
#include "CorvendWallet/ui/foundation/MoneyFormatter.hpp"

namespace corvend {

// The deposit summary's logic: the amounts it shows and the confirm step's outcome, reported
// once through `completionHandler`. A close while the confirm runs leaves the decision to the
// confirm's own outcome, so the host never hears "cancelled" for a deposit that went through.
// Main thread.
class DepositSummaryPresenter : public DepositSummaryViewOutput,
                                public DepositSummaryInteractorOutput {
  public:
    DepositSummaryPresenter(model::CustomerDeposit deposit, CardDetails cardDetails,
                            std::weak_ptr<DepositSummaryViewInput> view,
                            std::shared_ptr<DepositSummaryInteractorInput> interactor,
                            MoneyFormatter formatter,
                            std::function<void(CardDepositSummaryState)> completionHandler);

    void viewDidLoad() override;
    void didTapConfirm() override;
    void didTapClose() override;

    void didConfirm(const model::CustomerDeposit& deposit) override;
    void didFail(const Error& error) override;

    // Fees in the deposit's currency (or in none) count; a sum that overflows shows "".
    DepositSummaryViewModel makeViewModel() const;

  private:
    std::optional<std::int64_t> feesTotal() const;
    void finish(CardDepositSummaryState state);

    const model::CustomerDeposit deposit_;
    const CardDetails cardDetails_;
    const std::weak_ptr<DepositSummaryViewInput> view_;
    const std::shared_ptr<DepositSummaryInteractorInput> interactor_;
    const MoneyFormatter formatter_;
    const std::function<void(CardDepositSummaryState)> completionHandler_;
    bool confirming_ = false;
    bool closeRequested_ = false;
    bool finished_ = false;
};

}  // namespace corvend
