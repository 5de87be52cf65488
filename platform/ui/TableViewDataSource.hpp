#pragma once

#include "platform/ui/IndexPath.hpp"
#include "platform/ui/TableViewCell.hpp"

namespace corvend::platform::ui {

class TableView;

// What a table shows.
class TableViewDataSource {
  public:
    virtual ~TableViewDataSource() = default;

    virtual int numberOfSections(TableView& tableView) {
        (void)tableView;
        return 1;
    }
    virtual int numberOfRows(TableView& tableView, int section) = 0;
    virtual TableViewCellPtr cellForRow(TableView& tableView, IndexPath indexPath) = 0;
};

}  // namespace corvend::platform::ui
