#include "CorvendWallet/ui/foundation/CardNumberInputView.hpp"

#include <algorithm>

#include "CorvendCoreComponents/Views.hpp"
#include "CorvendWallet/ui/foundation/CardTextFormatting.hpp"
#include "CorvendWallet/ui/foundation/LocalizedStrings.hpp"
#include "platform/foundation/Unicode.hpp"
#include "platform/ui/ImageView.hpp"
#include "platform/ui/Screen.hpp"

namespace corvend {

namespace unicode = platform::unicode;
using platform::ui::ControlEvent;

namespace {

// Room for 19 digits and their blanks.
constexpr std::size_t kMaximumLength = 23;

// The UTF-16 length of the first `count` scalars of `scalars`.
int utf16Offset(std::u32string_view scalars, std::size_t count) {
    int units = 0;
    for (std::size_t i = 0; i < count && i < scalars.size(); ++i) {
        units += scalars[i] > 0xFFFF ? 2 : 1;
    }
    return units;
}

}  // namespace

CardNumberInputView::CardNumberInputView() {
    addTarget(ControlEvent::editingChanged, [](platform::ui::Control& sender) {
        static_cast<CardNumberInputView&>(sender).cardNumberDidChange();
    });
    addTarget(ControlEvent::editingDidEnd, [](platform::ui::Control& sender) {
        static_cast<CardNumberInputView&>(sender).cardNumberDidEndChanging();
    });
    setKeyboardType(platform::ui::KeyboardType::numberPad);
    setAutocorrectionType(platform::ui::AutocorrectionType::no);
    setPlaceholderText(localizedFormatted("Card number"));
}

void CardNumberInputView::cardNumberDidChange() {
    if (const auto delegate = cardNumberDelegate.lock()) {
        delegate->cardNumberInputViewDidChangeText(*this, text());
    }
}

void CardNumberInputView::cardNumberDidEndChanging() {
    if (const auto delegate = cardNumberDelegate.lock()) {
        delegate->cardNumberInputViewDidEndChangingText(*this, text());
    }
}

bool CardNumberInputView::shouldChangeCharacters(platform::ui::TextRange range,
                                                 const std::string& replacement) {
    if (!components::TextField::shouldChangeCharacters(range, replacement)) return false;
    // Deleting always works, whatever the text holds and wherever the range ends, so that no
    // text (a pasted line break, a digit with a mark) can stick in the field.
    if (replacement.empty()) return true;
    const std::optional<std::string> edited =
        unicode::replacingUTF16Range(text(),
                                     {static_cast<std::size_t>(std::max(range.location, 0)),
                                      static_cast<std::size_t>(std::max(range.length, 0))},
                                     replacement);
    if (!edited) return false;
    std::u32string digits = unicode::scalars(*edited);
    std::erase_if(digits, unicode::isWhitespace);
    return std::all_of(digits.begin(), digits.end(), unicode::isDecimalDigit) &&
           unicode::characterCount(*edited) <= kMaximumLength;
}

void CardNumberInputView::setCardLogo(CardType type) {
    const platform::ui::Size size = components::Views::size(components::Views::ImageSize::square24);
    auto logo = std::make_shared<platform::ui::ImageView>();
    logo->setImage(type.logo()->drawn(size, platform::ui::Screen::mainScale));
    logo->setContentMode(platform::ui::ContentMode::scaleAspectFit);
    setLeadingView(std::move(logo));
}

void CardNumberInputView::traitCollectionDidChange(std::optional<platform::ui::Traits> previous) {
    components::TextField::traitCollectionDidChange(previous);
    const bool styleChanged =
        !previous || previous->userInterfaceStyle != traits().userInterfaceStyle;
    if (styleChanged && currentCardType) setCardLogo(*currentCardType);
}

void CardNumberInputView::setMaskedText(const std::optional<std::string>& digits) {
    if (!digits) return;
    // In characters: the texts hold digits and blanks, and a digit may take two UTF-16 units.
    const std::u32string shown = unicode::scalars(text());
    const int caret = selectedRange().location;
    std::size_t before = 0;
    std::size_t blanks = 0;
    for (int units = 0; before < shown.size() && units < caret; ++before) {
        units += shown[before] > 0xFFFF ? 2 : 1;
        if (shown[before] == U' ') ++blanks;
    }
    const std::string masked = cardNumberMask(*digits);
    const std::u32string grouped = unicode::scalars(masked);
    std::size_t position = before - blanks;
    for (std::size_t i = 0; i < grouped.size() && i < position; ++i) {
        if (grouped[i] == U' ') ++position;
    }
    setText(masked);
    if (const auto offset = this->position(utf16Offset(grouped, position))) {
        setSelectedRange({*offset, 0});
    }
}

}  // namespace corvend
