#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/TableViewDataSource.hpp"
#include "platform/ui/View.hpp"

namespace corvend::platform::ui {

// A list of rows from a data source, with registered cell classes and reuse. Without a screen
// to fill, every row is visible: the table loads all rows on first being read, and again on
// reloadData(), putting the cells it shows back into the reuse pool first.
class TableView : public View {
  public:
    enum class SeparatorStyle { none, singleLine };
    using CellFactory = std::function<TableViewCellPtr(const std::string& reuseIdentifier)>;

    void setDataSource(std::weak_ptr<TableViewDataSource> dataSource);
    SeparatorStyle separatorStyle() const { return separatorStyle_; }
    void setSeparatorStyle(SeparatorStyle style) { separatorStyle_ = style; }
    EdgeInsets contentInset() const { return contentInset_; }
    void setContentInset(EdgeInsets inset) { contentInset_ = inset; }

    void registerCell(const std::string& reuseIdentifier, CellFactory factory);
    template <class Cell>
    void registerCell(const std::string& reuseIdentifier) {
        registerCell(reuseIdentifier, [](const std::string& identifier) {
            return std::make_shared<Cell>(identifier);
        });
    }
    // A cell from the reuse pool, else a new one of the registered class. An identifier
    // nothing was registered under is a fault of the program: it stops.
    TableViewCellPtr dequeueReusableCell(const std::string& reuseIdentifier, IndexPath indexPath);

    void reloadData();
    // The shown cells, in row order.
    std::vector<TableViewCellPtr> visibleCells();
    TableViewCellPtr cellForRow(IndexPath indexPath);

    void layoutIfNeeded() override;

  private:
    void loadIfNeeded();

    std::weak_ptr<TableViewDataSource> dataSource_;
    std::map<std::string, CellFactory> factories_;
    std::map<std::string, std::vector<TableViewCellPtr>> reusable_;
    std::vector<std::pair<IndexPath, TableViewCellPtr>> visible_;
    EdgeInsets contentInset_;
    SeparatorStyle separatorStyle_ = SeparatorStyle::singleLine;
    bool loaded_ = false;
};

}  // namespace corvend::platform::ui
