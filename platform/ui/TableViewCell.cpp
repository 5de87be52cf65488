#include "platform/ui/TableViewCell.hpp"

namespace corvend::platform::ui {

TableViewCell::TableViewCell(std::string reuseIdentifier)
    : reuseIdentifier_(std::move(reuseIdentifier)), contentView_(std::make_shared<View>()) {
    addSubview(contentView_);
}

}  // namespace corvend::platform::ui
