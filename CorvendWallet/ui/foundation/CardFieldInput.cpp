#include "CorvendWallet/ui/foundation/CardFieldInput.hpp"

#include <algorithm>
#include <optional>

#include "CorvendCoreComponents/FormattedText.hpp"
#include "CorvendCoreComponents/Theme.hpp"
#include "CorvendWallet/ui/foundation/CardTextFormatting.hpp"
#include "CorvendWallet/ui/foundation/LocalizedStrings.hpp"

namespace corvend {

namespace {

// The toolkit clamps its ranges to the text, so they are never negative.
platform::UTF16Range utf16Range(platform::ui::TextRange range) {
    return {static_cast<std::size_t>(std::max(range.location, 0)),
            static_cast<std::size_t>(std::max(range.length, 0))};
}

}  // namespace

bool applyExpiryDateInput(platform::ui::TextField& field, platform::ui::TextRange range,
                          const std::string& replacement) {
    std::string text = field.text();
    const bool applies = editExpiryDateText(text, utf16Range(range), replacement);
    if (text != field.text()) {
        field.setText(std::move(text));
        field.sendActions(platform::ui::ControlEvent::editingChanged);
    }
    return applies;
}

bool acceptsCvvInput(const platform::ui::TextField& field, platform::ui::TextRange range,
                     const std::string& replacement, int maxLength) {
    return acceptsCvvInput(field.text(), utf16Range(range), replacement,
                           static_cast<std::size_t>(std::max(maxLength, 0)));
}

platform::ui::AttributedString cvvHintText(std::span<const CardType> types) {
    using components::DreloFontTextStyle;
    const auto color = components::Theme::defaultTheme()->colorPalette().labelColor.primary.onBase;
    platform::ui::AttributedString hint = components::formattedText(
        localizedFormatted("deposit_cvv_hint_first_text"), DreloFontTextStyle::text1, color);
    const std::optional<std::string> names = brandNames(types);
    if (!names) return hint;
    hint.append(
        components::formattedText("\n\n" + *names + ":\n", DreloFontTextStyle::subtitle2, color));
    hint.append(components::formattedText(localizedFormatted("deposit_cvv_hint_visa"),
                                          DreloFontTextStyle::text1, color));
    return hint;
}

}  // namespace corvend
