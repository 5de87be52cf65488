#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "CorvendCoreComponents/TextField.hpp"
#include "CorvendWallet/ui/flows/card-deposit/AddCardBottomView.hpp"
#include "CorvendWallet/ui/flows/card-deposit/AddCardViewInput.hpp"
#include "CorvendWallet/ui/flows/card-deposit/AddCardViewOutput.hpp"
#include "CorvendWallet/ui/foundation/BottomViewTableViewController.hpp"
#include "CorvendWallet/ui/foundation/CVVAndExpiryDateViewDelegate.hpp"
#include "CorvendWallet/ui/foundation/CardNumberInputViewDelegate.hpp"
#include "platform/ui/TableViewDataSource.hpp"
#include "platform/ui/TextFieldDelegate.hpp"

namespace corvend {

// The add-card screen: card number, expiry with security code, card label and the save-card
// consent over the accepted-card logos and the submit button. Draws its view model and hands
// every edit and tap to its presenter (held strongly). Main thread.
class AddCardViewController : public BottomViewTableViewController<AddCardBottomView>,
                              public AddCardViewInput,
                              public CardNumberInputViewDelegate,
                              public CVVAndExpiryDateViewDelegate,
                              public platform::ui::TableViewDataSource,
                              public platform::ui::TextFieldDelegate {
  public:
    // The card label holds at most this many characters.
    static constexpr int kMaxCardLabelLength = 20;

    AddCardViewController();

    // The presenter, held strongly.
    void setOutput(std::shared_ptr<AddCardViewOutput> output) { output_ = std::move(output); }
    const std::shared_ptr<AddCardViewOutput>& output() const { return output_; }

    // AddCardViewInput
    const AddCardViewModel& viewModel() const override { return viewModel_; }
    void updateViewModel(const std::function<void(AddCardViewModel&)>& change) override;
    void setSubmitButtonEnabled(bool enabled) override;
    void showSubmitButtonLoading() override;
    void hideSubmitButtonLoading() override;
    void setBottomViewModel(AddCardBottomViewModel model) override;

    // TableViewDataSource
    int numberOfSections(platform::ui::TableView& tableView) override;
    int numberOfRows(platform::ui::TableView& tableView, int section) override;
    platform::ui::TableViewCellPtr cellForRow(platform::ui::TableView& tableView,
                                              platform::ui::IndexPath indexPath) override;

    // CardNumberInputViewDelegate
    void cardNumberInputViewDidChangeText(CardNumberInputView& view,
                                          const std::string& text) override;
    void cardNumberInputViewDidEndChangingText(CardNumberInputView& view,
                                               const std::string& text) override;

    // CVVAndExpiryDateViewDelegate
    void cvvAndExpiryDateViewTextFieldTextDidChange(CVVAndExpiryDateView& view,
                                                    platform::ui::TextField& field) override;
    void cvvAndExpiryDateViewTextFieldDidEndEditing(CVVAndExpiryDateView& view,
                                                    platform::ui::TextField& field) override;
    void cvvAndExpiryDateViewDidTapCVVHint() override;

    // TextFieldDelegate: the card label's length limit.
    bool shouldChangeCharactersIn(platform::ui::TextField& field, platform::ui::TextRange range,
                                  const std::string& replacement) override;

  protected:
    void viewDidLoad() override;

  private:
    std::shared_ptr<AddCardViewController> self();
    void refreshVisibleCells();
    void configure(platform::ui::TableViewCell& cell);
    void cardNumberEdited(const std::string& text);
    void cardFieldEdited(CVVAndExpiryDateView& view, platform::ui::TextField& field);

    std::shared_ptr<AddCardViewOutput> output_;
    // The card label's field, the one with a length limit (known by identity: tags are 0).
    std::weak_ptr<components::TextField> cardLabelField_;
    AddCardViewModel viewModel_;
};

}  // namespace corvend
