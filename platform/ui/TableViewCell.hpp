#pragma once

#include <memory>
#include <string>

#include "platform/ui/View.hpp"

namespace corvend::platform::ui {

// A row of a table: its content goes into contentView.
class TableViewCell : public View {
  public:
    enum class SelectionStyle { none, standard };

    explicit TableViewCell(std::string reuseIdentifier = {});

    const std::string& reuseIdentifier() const { return reuseIdentifier_; }
    const ViewPtr& contentView() const { return contentView_; }
    SelectionStyle selectionStyle() const { return selectionStyle_; }
    void setSelectionStyle(SelectionStyle style) { selectionStyle_ = style; }

  private:
    std::string reuseIdentifier_;
    ViewPtr contentView_;
    SelectionStyle selectionStyle_ = SelectionStyle::standard;
};

using TableViewCellPtr = std::shared_ptr<TableViewCell>;

}  // namespace corvend::platform::ui
