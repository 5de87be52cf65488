#include "platform/ui/TableView.hpp"

#include <utility>

#include "platform/ui/FatalError.hpp"
#include "platform/ui/MainThread.hpp"

namespace corvend::platform::ui {

void TableView::setDataSource(std::weak_ptr<TableViewDataSource> dataSource) {
    dataSource_ = std::move(dataSource);
    loaded_ = false;
}

void TableView::registerCell(const std::string& reuseIdentifier, CellFactory factory) {
    factories_[reuseIdentifier] = std::move(factory);
}

TableViewCellPtr TableView::dequeueReusableCell(const std::string& reuseIdentifier, IndexPath) {
    requireMainThread("TableView::dequeueReusableCell");
    if (auto& pool = reusable_[reuseIdentifier]; !pool.empty()) {
        auto cell = std::move(pool.back());
        pool.pop_back();
        return cell;
    }
    const auto factory = factories_.find(reuseIdentifier);
    if (factory == factories_.end())
        fatalError("unable to dequeue a cell with identifier " + reuseIdentifier +
                   ": nothing is registered under it");
    return factory->second(reuseIdentifier);
}

void TableView::reloadData() {
    requireMainThread("TableView::reloadData");
    for (auto& [indexPath, cell] : std::exchange(visible_, {})) {
        cell->removeFromSuperview();
        if (!cell->reuseIdentifier().empty())
            reusable_[cell->reuseIdentifier()].push_back(std::move(cell));
    }
    loaded_ = true;
    const auto dataSource = dataSource_.lock();
    if (!dataSource) return;
    const int sections = dataSource->numberOfSections(*this);
    for (int section = 0; section < sections; ++section) {
        const int rows = dataSource->numberOfRows(*this, section);
        for (int row = 0; row < rows; ++row) {
            const IndexPath indexPath{section, row};
            auto cell = dataSource->cellForRow(*this, indexPath);
            if (!cell) fatalError("a table's data source returned no cell");
            addSubview(cell);
            visible_.emplace_back(indexPath, std::move(cell));
        }
    }
}

void TableView::loadIfNeeded() {
    if (!loaded_) reloadData();
}

std::vector<TableViewCellPtr> TableView::visibleCells() {
    loadIfNeeded();
    std::vector<TableViewCellPtr> cells;
    for (const auto& [indexPath, cell] : visible_) cells.push_back(cell);
    return cells;
}

TableViewCellPtr TableView::cellForRow(IndexPath indexPath) {
    loadIfNeeded();
    for (const auto& [at, cell] : visible_)
        if (at == indexPath) return cell;
    return nullptr;
}

void TableView::layoutIfNeeded() {
    loadIfNeeded();
    View::layoutIfNeeded();
}

}  // namespace corvend::platform::ui
