#include "CorvendWallet/ui/flows/card-deposit/DepositSummaryViewController.hpp"

#include <array>
#include <string>

#include "CorvendCoreComponents/BaseTheme.hpp"
#include "CorvendWallet/ui/foundation/DetailsListItemView.hpp"
#include "CorvendWallet/ui/foundation/LocalizedStrings.hpp"
#include "CorvendWallet/ui/foundation/NavigationControllable.hpp"
#include "CorvendWallet/ui/foundation/TableViewCell.hpp"
#include "CorvendWallet/ui/foundation/TitleHeaderView.hpp"

namespace corvend {

namespace {

using HeaderCell = TableViewCell<TitleHeaderView>;
using RowCell = TableViewCell<DetailsListItemView>;
constexpr int kSections = 5;

std::shared_ptr<components::Button> makeConfirmButton() {
    auto button = std::make_shared<components::Button>();
    button->setTitle(localizedFormatted("confirm_button"));
    button->setTranslatesAutoresizingMaskIntoConstraints(false);
    button->setStyle(components::ButtonStyle::primary);
    return button;
}

}  // namespace

DepositSummaryViewController::DepositSummaryViewController()
    : BottomViewTableViewController(makeConfirmButton()) {}

std::shared_ptr<DepositSummaryViewController> DepositSummaryViewController::self() {
    return std::static_pointer_cast<DepositSummaryViewController>(shared_from_this());
}

void DepositSummaryViewController::viewDidLoad() {
    setTitle(localizedFormatted("deposit_review_payment_details"));
    button()->setEnabled(true);
    button()->action = [output = std::weak_ptr(output_)] {
        if (const auto presenter = output.lock()) presenter->didTapConfirm();
    };
    navigationItem().leftBarButtonItem = closeButton([weakSelf = std::weak_ptr(self())] {
        if (const auto screen = weakSelf.lock()) screen->closeButtonTapped();
    });
    tableView()->registerCell<HeaderCell>(HeaderCell::cellReuseIdentifier());
    tableView()->registerCell<RowCell>(RowCell::cellReuseIdentifier());
    tableView()->setDataSource(self());
    if (output_) output_->viewDidLoad();
}

void DepositSummaryViewController::setViewModel(DepositSummaryViewModel viewModel) {
    viewModel_ = std::move(viewModel);
    tableView()->reloadData();
}

void DepositSummaryViewController::showLoading() {
    button()->showLoading();
}

void DepositSummaryViewController::hideLoading() {
    button()->hideLoading();
}

void DepositSummaryViewController::closeButtonTapped() {
    if (output_) output_->didTapClose();
}

int DepositSummaryViewController::numberOfSections(platform::ui::TableView&) {
    return kSections;
}

int DepositSummaryViewController::numberOfRows(platform::ui::TableView&, int) {
    return 1;
}

platform::ui::TableViewCellPtr DepositSummaryViewController::cellForRow(
    platform::ui::TableView& tableView, platform::ui::IndexPath indexPath) {
    const int section = indexPath.section;
    if (section < 0 || section >= kSections) return std::make_shared<platform::ui::TableViewCell>();
    const bool header = section == 0;
    auto cell = tableView.dequeueReusableCell(
        header ? HeaderCell::cellReuseIdentifier() : RowCell::cellReuseIdentifier(), indexPath);
    auto style = [](platform::ui::TableViewCell& styled) {
        styled.setSelectionStyle(platform::ui::TableViewCell::SelectionStyle::none);
        styled.setBackgroundColor(components::BaseTheme::background());
    };
    if (header) {
        const auto headerCell = std::dynamic_pointer_cast<HeaderCell>(cell);
        if (!headerCell) return std::make_shared<platform::ui::TableViewCell>();
        style(*headerCell);
        headerCell->setInsets({});
        headerCell->setSeparatorVisible(false);
        const std::array<platform::FormatArgument, 1> name{{viewModel_.instrumentName}};
        headerCell->view()->configure(viewModel_.instrumentLogo,
                                      localizedFormatted("pay_with_instrument", name),
                                      viewModel_.amount);
        return headerCell;
    }
    const auto rowCell = std::dynamic_pointer_cast<RowCell>(cell);
    if (!rowCell) return std::make_shared<platform::ui::TableViewCell>();
    style(*rowCell);
    rowCell->setInsets({});
    rowCell->setSeparatorVisible(section != kSections - 1);
    struct Row {
        const char* key;
        std::string value;
    };
    const std::array<Row, 4> rows{{{"money_arrives", localizedFormatted("instantly")},
                                   {"amount_to_add", viewModel_.amount},
                                   {"deposit_fee", viewModel_.fees},
                                   {"total_amount", viewModel_.totalAmount}}};
    const Row& row = rows[static_cast<std::size_t>(section - 1)];
    rowCell->view()->leftLabel()->setText(localizedFormatted(row.key));
    rowCell->view()->rightLabel()->setText(row.value);
    return rowCell;
}

}  // namespace corvend
