#pragma once

#include "CorvendCoreComponents/BaseTheme.hpp"
#include "CorvendCoreComponents/Spacing.hpp"
#include "CorvendWallet/ui/foundation/TableViewCell.hpp"

namespace corvend {

// How the two card forms (add card, confirm card) lay out their rows alike.

// The card-number row sits closer to the row under it.
inline constexpr platform::ui::EdgeInsets kCardNumberCellInsets{
    components::Spacing::regular, components::Spacing::regular, components::Spacing::tiny,
    components::Spacing::regular};

// No selection, the theme's background, no separator, then `insets`.
template <class HostedView>
void prepareCardFormCell(TableViewCell<HostedView>& cell, platform::ui::EdgeInsets insets) {
    cell.setSelectionStyle(platform::ui::TableViewCell::SelectionStyle::none);
    cell.setBackgroundColor(components::BaseTheme::background());
    cell.setSeparatorVisible(false);
    cell.setInsets(insets);
}

}  // namespace corvend
