#include "CorvendWallet/ui/flows/card-deposit/CardDepositHints.hpp"

#include <string_view>

#include "CorvendCoreComponents/FormattedText.hpp"
#include "CorvendCoreComponents/Theme.hpp"
#include "CorvendWallet/ui/foundation/LocalizedStrings.hpp"

namespace corvend {

namespace {

platform::ui::AttributedString hint(std::string_view key) {
    platform::ui::AttributedString text;
    text.append(components::formattedText(
        localizedFormatted(key), components::DreloFontTextStyle::text1,
        components::Theme::defaultTheme()->colorPalette().labelColor.primary.onBase));
    return text;
}

}  // namespace

platform::ui::AttributedString manageYourCardsHint() {
    return hint("deposit_manage_your_cards_hint");
}

platform::ui::AttributedString saveYourCardsHint() {
    return hint("deposit_save_your_cards_hint");
}

}  // namespace corvend
