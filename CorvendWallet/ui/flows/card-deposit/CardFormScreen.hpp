#pragma once

#include <functional>
#include <string>

#include "CorvendCoreComponents/BaseTheme.hpp"
#include "CorvendCoreComponents/Spacing.hpp"
#include "CorvendCoreComponents/TextField.hpp"
#include "CorvendWallet/ui/flows/card-deposit/AddCardViewModel.hpp"
#include "CorvendWallet/ui/flows/card-deposit/FieldBottomText.hpp"
#include "CorvendWallet/ui/foundation/CVVAndExpiryDateView.hpp"
#include "CorvendWallet/ui/foundation/CardNumberInputView.hpp"
#include "CorvendWallet/ui/foundation/LocalizedStrings.hpp"
#include "CorvendWallet/ui/foundation/NavigationControllable.hpp"
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

// The card number grouped, with its brand's logo and, unless the bottom text says otherwise,
// the "card_must_be_in_your_name" helper text.
void showCardNumber(CardNumberInputView& field, CardType cardType,
                    const std::optional<std::string>& digits);

// The security code with its length and bottom text.
void showSecurityCode(CVVAndExpiryDateView& row, const AddCardViewModel::CvvField& cvv);

// The card label with its helper text and placeholder.
void showCardLabel(components::TextField& field, const std::optional<std::string>& label);

// The navigation bar's information button.
platform::ui::BarButtonItemPtr cardFormInfoButton(std::function<void()> action);

// A tap anywhere on the screen ends editing; the tap still reaches the control under it.
void addDismissKeyboardGesture(platform::ui::ViewController& viewController);

// The card forms' common loading: the information and close buttons and the title, the submit
// button disabled and calling the presenter (held weakly), and the tap that ends editing.
// `Screen` has an `output` presenter and a bottom view with a button.
template <class Screen>
void setUpCardFormScreen(Screen& screen) {
    const std::weak_ptr<Screen> weakScreen =
        std::static_pointer_cast<Screen>(screen.shared_from_this());
    auto onOutput = [weakScreen](auto call) {
        return [weakScreen, call] {
            if (const auto self = weakScreen.lock(); self && self->output) call(*self->output);
        };
    };
    screen.navigationItem().rightBarButtonItem =
        cardFormInfoButton(onOutput([](auto& output) { output.didTapManageCardsHint(); }));
    screen.setTitle(localizedFormatted("deposit_enter_card_details_title"));
    const auto& button = screen.bottomView()->button();
    button->setEnabled(false);
    button->action = onOutput([](auto& output) { output.didTapSubmit(); });
    screen.navigationItem().leftBarButtonItem =
        closeButton(onOutput([](auto& output) { output.didTapClose(); }));
    addDismissKeyboardGesture(screen);
}

}  // namespace corvend
