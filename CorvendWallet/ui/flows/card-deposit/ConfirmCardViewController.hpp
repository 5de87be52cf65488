#pragma once

#include <functional>
#include <memory>
#include <utility>

#include "CorvendWallet/ui/flows/card-deposit/AddCardBottomView.hpp"
#include "CorvendWallet/ui/flows/card-deposit/ConfirmCardViewInput.hpp"
#include "CorvendWallet/ui/flows/card-deposit/ConfirmCardViewOutput.hpp"
#include "CorvendWallet/ui/foundation/BottomViewTableViewController.hpp"
#include "CorvendWallet/ui/foundation/CVVAndExpiryDateViewDelegate.hpp"
#include "platform/ui/TableViewDataSource.hpp"

namespace corvend {

// The confirm-card screen: the saved card's number, expiry and label read-only, and the
// security code to type, over the accepted-card logos and the continue button. Hands every
// edit and tap to its presenter (held strongly). Main thread.
class ConfirmCardViewController : public BottomViewTableViewController<AddCardBottomView>,
                                  public ConfirmCardViewInput,
                                  public CVVAndExpiryDateViewDelegate,
                                  public platform::ui::TableViewDataSource {
  public:
    ConfirmCardViewController();

    // The presenter, held strongly.
    void setOutput(std::shared_ptr<ConfirmCardViewOutput> output) { output_ = std::move(output); }
    const std::shared_ptr<ConfirmCardViewOutput>& output() const { return output_; }

    // ConfirmCardViewInput
    const ConfirmCardViewModel& viewModel() const override { return viewModel_; }
    void updateViewModel(const std::function<void(ConfirmCardViewModel&)>& change) override;
    void showSubmitButtonLoading() override;
    void hideSubmitButtonLoading() override;
    void setBottomViewModel(AddCardBottomViewModel model) override;

    // TableViewDataSource
    int numberOfSections(platform::ui::TableView& tableView) override;
    int numberOfRows(platform::ui::TableView& tableView, int section) override;
    platform::ui::TableViewCellPtr cellForRow(platform::ui::TableView& tableView,
                                              platform::ui::IndexPath indexPath) override;

    // CVVAndExpiryDateViewDelegate
    void cvvAndExpiryDateViewTextFieldTextDidChange(CVVAndExpiryDateView& view,
                                                    platform::ui::TextField& field) override;
    void cvvAndExpiryDateViewTextFieldDidEndEditing(CVVAndExpiryDateView& view,
                                                    platform::ui::TextField& field) override;
    void cvvAndExpiryDateViewDidTapCVVHint() override;

  protected:
    void viewDidLoad() override;

  private:
    std::shared_ptr<ConfirmCardViewController> self();
    void refreshVisibleCells();
    void configure(platform::ui::TableViewCell& cell);
    void cvvEdited(CVVAndExpiryDateView& view, platform::ui::TextField& field);

    std::shared_ptr<ConfirmCardViewOutput> output_;
    ConfirmCardViewModel viewModel_;
};

}  // namespace corvend
