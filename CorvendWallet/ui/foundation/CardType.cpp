#include "CorvendWallet/ui/foundation/CardType.hpp"

#include <span>
#include <vector>

#include "CorvendCoreComponents/Theme.hpp"
#include "CorvendWallet/ui/foundation/Appearance.hpp"
#include "CorvendWallet/ui/foundation/WalletAssets.hpp"
#include "platform/async/ProcessFork.hpp"
#include "platform/foundation/RegularExpression.hpp"

namespace corvend {

namespace {

using platform::RegularExpression;

// Compiled once, on first use; one list per brand, searched in list order.
const std::vector<RegularExpression>& patterns(CardType::Value type) {
    static const std::array<std::vector<RegularExpression>, 4> lists = [] {
        std::array<std::vector<RegularExpression>, 4> made;
        made[CardType::masterCard].emplace_back("^5[1-5]|^2(2[3-9]|22[1-9]|[3-6]|70|71|720)[0-9]+");
        made[CardType::visa].emplace_back("^4");
        made[CardType::visa].emplace_back("^(4026|417500|4508|4844|491(3|7))");
        made[CardType::tembroPrepaidMasterCard].emplace_back(
            "^(539152|531306|410837|434816|533952|529559)");
        made[CardType::ombrixPrepaidMasterCard].emplace_back(
            "^(528838|541592|541591|539125|539258|53314900)");
        return made;
    }();
    static const std::vector<RegularExpression> none;
    return type < lists.size() ? lists[type] : none;
}

}  // namespace

CardType::CardType(std::optional<std::string_view> cardNumber) : value_(unknown) {
    platform::ProcessFork::checkKitUsable("CardType");
    if (!cardNumber) return;
    // The prepaid ranges lie inside the general ones, so they are asked first.
    for (Value type : {tembroPrepaidMasterCard, ombrixPrepaidMasterCard, masterCard, visa}) {
        if (CardType(type).matches(*cardNumber)) {
            value_ = type;
            return;
        }
    }
}

bool CardType::matches(std::string_view text) const {
    platform::ProcessFork::checkKitUsable("CardType::matches");
    for (const RegularExpression& pattern : patterns(value_)) {
        if (pattern.isFound(text)) return true;
    }
    return false;
}

platform::ui::ImagePtr CardType::logo() const {
    platform::ProcessFork::checkKitUsable("CardType::logo");
    using Logo = WalletAssets::Logo;
    switch (value_) {
        case masterCard:
            return WalletAssets::logo(Logo::mastercard).image();
        case visa:
            return WalletAssets::logo(Logo::visa).image();
        case tembroPrepaidMasterCard:
            return WalletAssets::logo(Logo::tembro).image();
        case ombrixPrepaidMasterCard:
            return WalletAssets::logo(Logo::vaskel).image();
        case unknown:
            break;
    }
    return Appearance::appliedImages()
        .creditCard()
        .image()
        ->withRenderingMode(platform::ui::ImageRenderingMode::alwaysTemplate)
        ->withTintColor(
            components::Theme::defaultTheme()->colorPalette().labelColor.secondary.onSurface);
}

}  // namespace corvend
