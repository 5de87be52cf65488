#pragma once

#include <functional>
#include <memory>

#include "CorvendWallet/ui/foundation/LocalizedStrings.hpp"
#include "CorvendWallet/ui/foundation/NavigationControllable.hpp"
#include "platform/ui/BarButtonItem.hpp"
#include "platform/ui/ViewController.hpp"

namespace corvend {

// What the two card forms (add card, confirm card) set up alike when their view loads.

// The navigation bar's information button.
platform::ui::BarButtonItemPtr cardFormInfoButton(std::function<void()> action);

// A tap anywhere on the screen ends editing; the tap still reaches the control under it.
void addDismissKeyboardGesture(platform::ui::ViewController& viewController);

// The information and close buttons and the title; the submit button ("Add a card", "Continue")
// disabled, its tap wired to the presenter's didTapSubmit; and the tap that ends editing. Every
// tap reaches the presenter the screen holds at that moment, through the screen held weakly.
// `Screen` has `output()`, its presenter, and a bottom view with a button.
template <class Screen>
void setUpCardFormScreen(Screen& screen) {
    const std::weak_ptr<Screen> weakScreen =
        std::static_pointer_cast<Screen>(screen.shared_from_this());
    auto onOutput = [weakScreen](auto call) {
        return [weakScreen, call] {
            if (const auto self = weakScreen.lock(); self && self->output()) call(*self->output());
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
