#include "CorvendWallet/ui/flows/card-deposit/ConfirmCardViewController.hpp"

#include <array>
#include <utility>

#include "CorvendCoreComponents/Inset.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardFormCell.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardFormFields.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardFormScreen.hpp"
#include "CorvendWallet/ui/foundation/CVVAndExpiryDateView.hpp"
#include "CorvendWallet/ui/foundation/CardNumberInputView.hpp"
#include "CorvendWallet/ui/foundation/LocalizedStrings.hpp"
#include "CorvendWallet/ui/foundation/NavigationControllable.hpp"

namespace corvend {

using components::TextFieldStyle;
using platform::ui::IndexPath;
using platform::ui::TableViewCellPtr;
using NumberCell = TableViewCell<CardNumberInputView>;
using CodeCell = TableViewCell<CVVAndExpiryDateView>;
using LabelCell = TableViewCell<components::TextField>;

namespace {

enum Section { number = 0, code = 1, label = 2, sectionCount = 3 };

}  // namespace

ConfirmCardViewController::ConfirmCardViewController()
    : BottomViewTableViewController(std::make_shared<AddCardBottomView>()),
      viewModel_(ConfirmCardViewModel::placeholder()) {}

std::shared_ptr<ConfirmCardViewController> ConfirmCardViewController::self() {
    return std::static_pointer_cast<ConfirmCardViewController>(shared_from_this());
}

void ConfirmCardViewController::viewDidLoad() {
    BottomViewTableViewController::viewDidLoad();
    const std::weak_ptr<ConfirmCardViewController> weakSelf = self();
    setUpCardFormScreen(*this);

    const auto& table = tableView();
    table->setDataSource(weakSelf);
    table->registerCell<NumberCell>(NumberCell::cellReuseIdentifier());
    table->registerCell<CodeCell>(CodeCell::cellReuseIdentifier());
    table->registerCell<LabelCell>(LabelCell::cellReuseIdentifier());

    if (output_) output_->viewDidLoad();
}

void ConfirmCardViewController::updateViewModel(
    const std::function<void(ConfirmCardViewModel&)>& change) {
    const bool hadLabel = viewModel_.cardLabel.value.has_value();
    change(viewModel_);
    if (!isViewLoaded()) return;
    // The label row comes or goes with the label: the rows change, so the table loads again.
    if (hadLabel != viewModel_.cardLabel.value.has_value()) {
        tableView()->reloadData();
        return;
    }
    refreshVisibleCells();
}

void ConfirmCardViewController::showSubmitButtonLoading() {
    bottomView()->button()->showLoading();
}

void ConfirmCardViewController::hideSubmitButtonLoading() {
    bottomView()->button()->hideLoading();
}

void ConfirmCardViewController::setBottomViewModel(AddCardBottomViewModel model) {
    bottomView()->setBottomViewModel(std::move(model));
}

int ConfirmCardViewController::numberOfSections(platform::ui::TableView&) {
    return sectionCount;
}

int ConfirmCardViewController::numberOfRows(platform::ui::TableView&, int section) {
    if (section == label) return viewModel_.cardLabel.value ? 1 : 0;
    return section >= 0 && section < sectionCount ? 1 : 0;
}

TableViewCellPtr ConfirmCardViewController::cellForRow(platform::ui::TableView& tableView,
                                                       IndexPath indexPath) {
    static const std::array<std::string, sectionCount> identifiers{
        NumberCell::cellReuseIdentifier(), CodeCell::cellReuseIdentifier(),
        LabelCell::cellReuseIdentifier()};
    if (numberOfRows(tableView, indexPath.section) == 0)
        return std::make_shared<platform::ui::TableViewCell>();
    TableViewCellPtr cell =
        tableView.dequeueReusableCell(identifiers[indexPath.section], indexPath);
    configure(*cell);
    return cell;
}

void ConfirmCardViewController::refreshVisibleCells() {
    if (!isViewLoaded()) return;
    for (const auto& cell : tableView()->visibleCells()) configure(*cell);
}

void ConfirmCardViewController::configure(platform::ui::TableViewCell& cell) {
    const ConfirmCardViewModel& model = viewModel_;
    if (auto* numberCell = dynamic_cast<NumberCell*>(&cell)) {
        prepareCardFormCell(*numberCell, kCardNumberCellInsets);
        CardNumberInputView& field = *numberCell->view();
        showCardNumber(field, model.card.cardType, model.card.value);
        field.setTextFieldStyle(TextFieldStyle::disabled);
    } else if (auto* codeCell = dynamic_cast<CodeCell*>(&cell)) {
        prepareCardFormCell(*codeCell, components::Inset::cell);
        CVVAndExpiryDateView& row = *codeCell->view();
        row.delegate = self();
        showText(*row.expiryDateView(), model.expiryDate.value);
        row.expiryDateView()->setTextFieldStyle(TextFieldStyle::disabled);
        showSecurityCode(row, model.cvv);
    } else if (auto* labelCell = dynamic_cast<LabelCell*>(&cell)) {
        prepareCardFormCell(*labelCell, components::Inset::cell);
        components::TextField& field = *labelCell->view();
        showCardLabel(field, model.cardLabel.value);
        field.setTextFieldStyle(TextFieldStyle::disabled);
    }
}

void ConfirmCardViewController::cvvAndExpiryDateViewTextFieldTextDidChange(
    CVVAndExpiryDateView& view, platform::ui::TextField& field) {
    cvvEdited(view, field);
}

void ConfirmCardViewController::cvvAndExpiryDateViewTextFieldDidEndEditing(
    CVVAndExpiryDateView& view, platform::ui::TextField& field) {
    cvvEdited(view, field);
}

void ConfirmCardViewController::cvvEdited(CVVAndExpiryDateView& view,
                                          platform::ui::TextField& field) {
    if (&field != view.cvvView().get() || !output_) return;
    const auto presenter = output_;  // a report may release the screen
    presenter->cvvDidChange(field.text());
    bottomView()->button()->setEnabled(viewModel_.cvv.isValid);
}

void ConfirmCardViewController::cvvAndExpiryDateViewDidTapCVVHint() {
    if (output_) output_->didTapCVVHint();
}

}  // namespace corvend
