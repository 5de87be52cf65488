#include "CorvendWallet/ui/flows/ConfirmCardViewController.hpp"

#include <utility>

#include "CorvendCoreComponents/Inset.hpp"
#include "CorvendWallet/ui/flows/CardFormCells.hpp"
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

    if (output) output->viewDidLoad();
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
    return section < sectionCount ? 1 : 0;
}

TableViewCellPtr ConfirmCardViewController::cellForRow(platform::ui::TableView& tableView,
                                                       IndexPath indexPath) {
    std::string identifier;
    switch (indexPath.section) {
        case number:
            identifier = NumberCell::cellReuseIdentifier();
            break;
        case code:
            identifier = CodeCell::cellReuseIdentifier();
            break;
        case label:
            if (!viewModel_.cardLabel.value) return std::make_shared<platform::ui::TableViewCell>();
            identifier = LabelCell::cellReuseIdentifier();
            break;
        default:
            return std::make_shared<platform::ui::TableViewCell>();
    }
    TableViewCellPtr cell = tableView.dequeueReusableCell(identifier, indexPath);
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
        field.currentCardType = model.card.cardType;
        field.setCardLogo(model.card.cardType);
        field.setMaskedText(model.card.value);
        field.setHelperText(localizedFormatted("card_must_be_in_your_name"));
        field.setTextFieldStyle(TextFieldStyle::disabled);
    } else if (auto* codeCell = dynamic_cast<CodeCell*>(&cell)) {
        prepareCardFormCell(*codeCell, components::Inset::cell);
        CVVAndExpiryDateView& row = *codeCell->view();
        row.delegate = self();
        showText(*row.expiryDateView(), model.expiryDate.value);
        row.expiryDateView()->setTextFieldStyle(TextFieldStyle::disabled);
        showText(*row.cvvView(), model.cvv.value.value_or(""));
        row.cvvLength = model.cvv.length;
        setUpAsCvvField(*row.cvvView(), row.cvvLength);
        showBottomText(*row.cvvView(), model.cvv.bottomText);
    } else if (auto* labelCell = dynamic_cast<LabelCell*>(&cell)) {
        prepareCardFormCell(*labelCell, components::Inset::cell);
        components::TextField& field = *labelCell->view();
        field.setHasError(false);
        field.setHelperText(localizedFormatted("card_label_bottom_text"));
        field.setPlaceholderText(localizedFormatted("card_label_placeholder_text"));
        showText(field, model.cardLabel.value.value_or(""));
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
    if (&field != view.cvvView().get() || !output) return;
    const auto presenter = output;  // a report may release the screen
    presenter->cvvDidChange(field.text());
    bottomView()->button()->setEnabled(viewModel_.cvv.isValid);
}

void ConfirmCardViewController::cvvAndExpiryDateViewDidTapCVVHint() {
    if (output) output->didTapCVVHint();
}

}  // namespace corvend
