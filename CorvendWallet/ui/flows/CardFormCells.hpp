#pragma once

#include <functional>
#include <string>

#include "CorvendCoreComponents/BaseTheme.hpp"
#include "CorvendCoreComponents/Spacing.hpp"
#include "CorvendCoreComponents/TextField.hpp"
#include "CorvendWallet/ui/flows/FieldBottomText.hpp"
#include "CorvendWallet/ui/foundation/TableViewCell.hpp"
#include "platform/ui/BarButtonItem.hpp"
#include "platform/ui/ViewController.hpp"

namespace corvend {

// What the two card forms (add card, confirm card) draw alike.

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

// An error puts the field in its error state with the text; a helper text leaves it.
void showBottomText(components::TextField& field, const FieldBottomText& bottomText);

// Sets the field's text only when it differs, so the caret of a field being edited stays.
void showText(platform::ui::TextField& field, const std::string& text);

// The navigation bar's information button.
platform::ui::BarButtonItemPtr cardFormInfoButton(std::function<void()> action);

// A tap anywhere on the screen ends editing; the tap still reaches the control under it.
void addDismissKeyboardGesture(platform::ui::ViewController& viewController);

}  // namespace corvend
