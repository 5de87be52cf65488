#include "platform/ui/TextField.hpp"

#include <unicode/unistr.h>

#include <algorithm>
#include <string_view>
#include <vector>

#include "platform/foundation/Unicode.hpp"
#include "platform/ui/MainThread.hpp"

namespace corvend::platform::ui {
namespace {

icu::UnicodeString utf16(const std::string& text) {
    return icu::UnicodeString::fromUTF8(text);
}

std::string utf8(const icu::UnicodeString& text) {
    std::string result;
    text.toUTF8String(result);
    return result;
}

}  // namespace

void TextField::setText(std::string text) {
    requireMainThread("TextField::setText");
    text_ = std::move(text);
    selection_ = TextRange{length(), 0};
}

void TextField::setLeftView(ViewPtr view) {
    if (leftView_) leftView_->removeFromSuperview();
    leftView_ = std::move(view);
    if (leftView_) addSubview(leftView_);
}

void TextField::setRightView(ViewPtr view) {
    if (rightView_) rightView_->removeFromSuperview();
    rightView_ = std::move(view);
    if (rightView_) addSubview(rightView_);
}

int TextField::length() const {
    return utf16(text_).length();
}

void TextField::setSelectedRange(TextRange range) {
    const int end = length();
    const int start = std::clamp(range.location, 0, end);
    selection_ = TextRange{start, std::clamp(range.length, 0, end - start)};
}

std::optional<int> TextField::position(int offset) const {
    if (offset < 0 || offset > length()) return std::nullopt;
    return offset;
}

void TextField::type(const std::string& text) {
    if (!becomeFirstResponder()) return;
    const icu::UnicodeString characters = utf16(text);
    for (int i = 0; i < characters.length(); i = characters.moveIndex32(i, 1)) {
        const int next = characters.moveIndex32(i, 1);
        replace(selection_, utf8(characters.tempSubStringBetween(i, next)));
    }
}

void TextField::paste(const std::string& text) {
    if (becomeFirstResponder()) replace(selection_, text);
}

void TextField::deleteBackward() {
    if (!becomeFirstResponder()) return;
    if (selection_.length > 0) {
        replace(selection_, "");
    } else if (selection_.location > 0) {
        // A whole user-perceived character: a surrogate pair, a letter with its marks, "\r\n".
        const std::string before = utf8(utf16(text_).tempSubString(0, selection_.location));
        const std::vector<std::size_t> boundaries = unicode::characterBoundaries(before);
        const auto start = static_cast<int>(unicode::utf16Length(
            std::string_view(before).substr(0, boundaries[boundaries.size() - 2])));
        replace(TextRange{start, selection_.location - start}, "");
    }
}

bool TextField::replace(TextRange range, const std::string& replacement) {
    requireMainThread("TextField::replace");
    if (!isEnabled()) return false;
    icu::UnicodeString text = utf16(text_);
    const int start = std::clamp(range.location, 0, text.length());
    range = TextRange{start, std::clamp(range.length, 0, text.length() - start)};
    if (!shouldChangeCharacters(range, replacement)) return false;
    const icu::UnicodeString inserted = utf16(replacement);
    text.replace(range.location, range.length, inserted);
    text_ = utf8(text);
    selection_ = TextRange{range.location + inserted.length(), 0};
    sendActions(ControlEvent::editingChanged);
    return true;
}

bool TextField::shouldChangeCharacters(TextRange range, const std::string& replacement) {
    const auto delegate = delegate_.lock();
    return !delegate || delegate->shouldChangeCharactersIn(*this, range, replacement);
}

bool TextField::becomeFirstResponder() {
    requireMainThread("TextField::becomeFirstResponder");
    if (firstResponder_) return true;
    if (!isEnabled() || !isVisible()) return false;
    View* root = this;
    while (View* parent = root->superview()) root = parent;
    root->endEditing(true);
    firstResponder_ = true;
    sendActions(ControlEvent::editingDidBegin);
    return true;
}

bool TextField::resignFirstResponder() {
    requireMainThread("TextField::resignFirstResponder");
    if (!firstResponder_) return true;
    firstResponder_ = false;
    if (const auto delegate = delegate_.lock()) delegate->didEndEditing(*this);
    sendActions(ControlEvent::editingDidEnd);
    return true;
}

void TextField::handleTap() {
    becomeFirstResponder();
}

void TextField::appendSnapshot(std::vector<std::string>& lines) const {
    std::string line = "field: \"" + text_ + "\"";
    if (placeholder_ && !placeholder_->empty()) line += " placeholder \"" + *placeholder_ + "\"";
    auto flags = snapshotFlags();
    if (firstResponder_) flags.push_back("editing");
    lines.push_back(line + flagsText(flags));
}

}  // namespace corvend::platform::ui
