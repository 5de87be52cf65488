#pragma once

#include <memory>

#include "CorvendCoreComponents/Button.hpp"
#include "CorvendWallet/ui/flows/card-deposit/DepositSummaryViewInput.hpp"
#include "CorvendWallet/ui/flows/card-deposit/DepositSummaryViewOutput.hpp"
#include "CorvendWallet/ui/foundation/BottomViewTableViewController.hpp"
#include "platform/ui/TableViewDataSource.hpp"

namespace corvend {

// The deposit summary: the card and amount, when the money arrives, the amount, the fee and
// the total, over a confirm button; a close button in the bar. Main thread.
class DepositSummaryViewController : public BottomViewTableViewController<components::Button>,
                                     public DepositSummaryViewInput,
                                     public platform::ui::TableViewDataSource {
  public:
    DepositSummaryViewController();

    const std::shared_ptr<components::Button>& button() const { return bottomView(); }
    void setOutput(std::shared_ptr<DepositSummaryViewOutput> output) {
        output_ = std::move(output);
    }
    const DepositSummaryViewModel& viewModel() const { return viewModel_; }

    void setViewModel(DepositSummaryViewModel viewModel) override;
    void showLoading() override;
    void hideLoading() override;

    // The close button's action.
    void closeButtonTapped();

    int numberOfSections(platform::ui::TableView& tableView) override;
    int numberOfRows(platform::ui::TableView& tableView, int section) override;
    platform::ui::TableViewCellPtr cellForRow(platform::ui::TableView& tableView,
                                              platform::ui::IndexPath indexPath) override;

  protected:
    void viewDidLoad() override;

  private:
    std::shared_ptr<DepositSummaryViewController> self();

    std::shared_ptr<DepositSummaryViewOutput> output_;
    DepositSummaryViewModel viewModel_ = DepositSummaryViewModel::empty();
};

}  // namespace corvend
