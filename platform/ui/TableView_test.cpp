#include "platform/ui/TableView.hpp"

#include <gtest/gtest.h>

#include "platform/async/MainQueue.hpp"
#include "platform/ui/Label.hpp"

namespace corvend::platform::ui {
namespace {

// A cell that shows one label.
class TextCell : public TableViewCell {
  public:
    explicit TextCell(std::string identifier) : TableViewCell(std::move(identifier)) {
        contentView()->addSubview(label);
    }
    std::shared_ptr<Label> label = std::make_shared<Label>();
};

// Rows of texts, one section each.
struct Rows : TableViewDataSource {
    std::vector<std::string> texts;
    int numberOfSections(TableView&) override { return static_cast<int>(texts.size()); }
    int numberOfRows(TableView&, int) override { return 1; }
    TableViewCellPtr cellForRow(TableView& table, IndexPath at) override {
        auto cell = std::dynamic_pointer_cast<TextCell>(table.dequeueReusableCell("TextCell", at));
        cell->label->setText(texts[static_cast<std::size_t>(at.section)]);
        return cell;
    }
};

TEST(TableViewTest, RowsLoadWhenFirstShownAndCellsAreReusedOnReload) {
    MainQueue::shared().drain();
    const auto table = std::make_shared<TableView>();
    const auto rows = std::make_shared<Rows>();
    rows->texts = {"Amount", "Fee"};
    int made = 0;
    table->registerCell("TextCell", [&](const std::string& identifier) {
        ++made;
        return std::make_shared<TextCell>(identifier);
    });
    table->setDataSource(rows);
    EXPECT_EQ(table->snapshotLines(), (std::vector<std::string>{"Amount", "Fee"}));

    rows->texts = {"Total"};
    table->reloadData();
    EXPECT_EQ(table->visibleCells().size(), 1u);
    EXPECT_EQ(table->cellForRow({1, 0}), nullptr);
    EXPECT_EQ(made, 2);                       // the reload took a cell from the reuse pool
    EXPECT_EQ(table->subviews().size(), 1u);  // the cells it stopped showing left the table
    EXPECT_EQ(table->snapshotLines(), std::vector<std::string>{"Total"});
}

}  // namespace
}  // namespace corvend::platform::ui
