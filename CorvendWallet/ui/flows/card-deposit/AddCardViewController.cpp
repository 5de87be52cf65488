#include "CorvendWallet/ui/flows/card-deposit/AddCardViewController.hpp"

#include <array>
#include <utility>
#include <vector>

#include "CorvendCoreComponents/BaseTheme.hpp"
#include "CorvendCoreComponents/CheckboxLabelView.hpp"
#include "CorvendCoreComponents/Inset.hpp"
#include "CorvendCoreComponents/Spacing.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardFormCell.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardFormFields.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardFormScreen.hpp"
#include "CorvendWallet/ui/foundation/CVVAndExpiryDateView.hpp"
#include "CorvendWallet/ui/foundation/CardNumberInputView.hpp"
#include "CorvendWallet/ui/foundation/LocalizedStrings.hpp"
#include "CorvendWallet/ui/foundation/NavigationControllable.hpp"
#include "CorvendWallet/ui/foundation/TableViewCell.hpp"
#include "platform/foundation/Unicode.hpp"

namespace corvend {

using platform::ui::IndexPath;
using platform::ui::TableViewCellPtr;
using NumberCell = TableViewCell<CardNumberInputView>;
using CodeCell = TableViewCell<CVVAndExpiryDateView>;
using LabelCell = TableViewCell<components::TextField>;
using ConsentCell = TableViewCell<components::CheckboxLabelView>;

namespace {

enum Section { number = 0, code = 1, label = 2, consent = 3, sectionCount = 4 };

}  // namespace

AddCardViewController::AddCardViewController()
    : BottomViewTableViewController(std::make_shared<AddCardBottomView>()),
      viewModel_(AddCardViewModel::initial()) {}

std::shared_ptr<AddCardViewController> AddCardViewController::self() {
    return std::static_pointer_cast<AddCardViewController>(shared_from_this());
}

void AddCardViewController::viewDidLoad() {
    BottomViewTableViewController::viewDidLoad();
    const std::weak_ptr<AddCardViewController> weakSelf = self();
    setUpCardFormScreen(*this);

    const auto& table = tableView();
    table->setDataSource(weakSelf);
    table->registerCell<NumberCell>(NumberCell::cellReuseIdentifier());
    table->registerCell<CodeCell>(CodeCell::cellReuseIdentifier());
    table->registerCell<ConsentCell>(ConsentCell::cellReuseIdentifier());
    // The label field's action is added once, when its cell is made.
    table->registerCell(LabelCell::cellReuseIdentifier(), [weakSelf](const std::string& id) {
        auto cell = std::make_shared<LabelCell>(id);
        cell->view()->addTarget(
            platform::ui::ControlEvent::editingChanged, [weakSelf](platform::ui::Control& sender) {
                const auto self = weakSelf.lock();
                if (!self || !self->output_) return;
                const auto& field = static_cast<platform::ui::TextField&>(sender);
                self->output_->cardLabelDidChange(field.text());
                self->output_->updateSubmitButtonState();
            });
        return cell;
    });

    if (output_) output_->viewDidLoad();
}

void AddCardViewController::updateViewModel(const std::function<void(AddCardViewModel&)>& change) {
    change(viewModel_);
    refreshVisibleCells();
}

void AddCardViewController::setSubmitButtonEnabled(bool enabled) {
    bottomView()->button()->setEnabled(enabled);
}

void AddCardViewController::showSubmitButtonLoading() {
    bottomView()->button()->showLoading();
}

void AddCardViewController::hideSubmitButtonLoading() {
    bottomView()->button()->hideLoading();
}

void AddCardViewController::setBottomViewModel(AddCardBottomViewModel model) {
    bottomView()->setBottomViewModel(std::move(model));
}

int AddCardViewController::numberOfSections(platform::ui::TableView&) {
    return sectionCount;
}

int AddCardViewController::numberOfRows(platform::ui::TableView&, int) {
    return 1;
}

TableViewCellPtr AddCardViewController::cellForRow(platform::ui::TableView& tableView,
                                                   IndexPath indexPath) {
    static const std::array<std::string, sectionCount> identifiers{
        NumberCell::cellReuseIdentifier(), CodeCell::cellReuseIdentifier(),
        LabelCell::cellReuseIdentifier(), ConsentCell::cellReuseIdentifier()};
    if (indexPath.section < 0 || indexPath.section >= sectionCount)
        return std::make_shared<platform::ui::TableViewCell>();
    TableViewCellPtr cell =
        tableView.dequeueReusableCell(identifiers[indexPath.section], indexPath);
    configure(*cell);
    return cell;
}

void AddCardViewController::refreshVisibleCells() {
    if (!isViewLoaded()) return;
    for (const auto& cell : tableView()->visibleCells()) configure(*cell);
}

void AddCardViewController::configure(platform::ui::TableViewCell& cell) {
    const AddCardViewModel& model = viewModel_;
    if (auto* numberCell = dynamic_cast<NumberCell*>(&cell)) {
        prepareCardFormCell(*numberCell, kCardNumberCellInsets);
        CardNumberInputView& field = *numberCell->view();
        showCardNumber(field, model.card.cardType, model.card.value);
        field.cardNumberDelegate = self();
        showBottomText(field, model.card.bottomText);
    } else if (auto* codeCell = dynamic_cast<CodeCell*>(&cell)) {
        prepareCardFormCell(*codeCell, components::Inset::cell);
        CVVAndExpiryDateView& row = *codeCell->view();
        row.delegate = self();
        showText(*row.expiryDateView(), model.expiryDate.value.value_or(""));
        showBottomText(*row.expiryDateView(), model.expiryDate.bottomText);
        showSecurityCode(row, model.cvv);
    } else if (auto* labelCell = dynamic_cast<LabelCell*>(&cell)) {
        prepareCardFormCell(*labelCell, components::Inset::cell);
        components::TextField& field = *labelCell->view();
        showCardLabel(field, model.cardLabel.value);
        cardLabelField_ = labelCell->view();
        field.setDelegate(self());
    } else if (auto* consentCell = dynamic_cast<ConsentCell*>(&cell)) {
        prepareCardFormCell(*consentCell, components::Inset::cell);
        components::CheckboxLabelView& consentView = *consentCell->view();
        const std::string learnMore = localizedFormatted("learn_more");
        const platform::FormatArgument argument = learnMore;
        using Model = components::LinksLabel::Model;
        consentView.update(Model(localizedFormatted("add_card_consent_message", {&argument, 1}),
                                 {components::LinkPair{learnMore, ""}}, Model::Style::primary,
                                 Model::TextStyle::text2));
        consentView.setSelected(model.areCardDetailsSaved);
        const std::weak_ptr<AddCardViewOutput> presenter = output_;
        consentView.checkboxSelectionAction = [presenter](bool selected) {
            if (const auto output = presenter.lock()) {
                output->saveCardDetailsDidChange(selected);
                output->updateSubmitButtonState();
            }
        };
        consentView.tapHandler = [presenter](const std::string&) {
            if (const auto output = presenter.lock()) output->didTapSaveCardsHint();
        };
    }
}

void AddCardViewController::cardNumberInputViewDidChangeText(CardNumberInputView&,
                                                             const std::string& text) {
    cardNumberEdited(text);
}

void AddCardViewController::cardNumberInputViewDidEndChangingText(CardNumberInputView&,
                                                                  const std::string& text) {
    cardNumberEdited(text);
}

void AddCardViewController::cardNumberEdited(const std::string& text) {
    if (!output_) return;
    const auto presenter = output_;  // a report may release the screen
    presenter->cardNumberDidChange(text);
    presenter->updateSubmitButtonState();
}

void AddCardViewController::cvvAndExpiryDateViewTextFieldTextDidChange(
    CVVAndExpiryDateView& view, platform::ui::TextField& field) {
    cardFieldEdited(view, field);
}

void AddCardViewController::cvvAndExpiryDateViewTextFieldDidEndEditing(
    CVVAndExpiryDateView& view, platform::ui::TextField& field) {
    cardFieldEdited(view, field);
}

void AddCardViewController::cardFieldEdited(CVVAndExpiryDateView& view,
                                            platform::ui::TextField& field) {
    if (!output_) return;
    const auto presenter = output_;
    if (&field == view.cvvView().get()) {
        presenter->cvvDidChange(field.text());
    } else if (&field == view.expiryDateView().get()) {
        presenter->expiryDateDidChange(field.text());
    } else {
        return;
    }
    presenter->updateSubmitButtonState();
}

void AddCardViewController::cvvAndExpiryDateViewDidTapCVVHint() {
    if (output_) output_->didTapCVVHint();
}

bool AddCardViewController::shouldChangeCharactersIn(platform::ui::TextField& field,
                                                     platform::ui::TextRange range,
                                                     const std::string& replacement) {
    // Only the card label has a limit; other fields may share this delegate.
    if (&field != cardLabelField_.lock().get()) return true;
    const auto result = platform::unicode::replacingUTF16Range(
        field.text(),
        {static_cast<std::size_t>(range.location), static_cast<std::size_t>(range.length)},
        replacement);
    return result && platform::unicode::characterCount(*result) <= kMaxCardLabelLength;
}

}  // namespace corvend
