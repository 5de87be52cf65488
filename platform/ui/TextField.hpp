#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/ui/Control.hpp"
#include "platform/ui/Font.hpp"
#include "platform/ui/TextFieldDelegate.hpp"
#include "platform/ui/TextRange.hpp"

namespace corvend::platform::ui {

enum class KeyboardType { standard, numberPad, emailAddress };
enum class AutocorrectionType { standard, no, yes };

// A one-line text input with a caret. Its text is never absent (an empty field holds "") and it
// always has a selection (an empty one is the caret); positions count UTF-16 units. A person's
// edit (typing, deleting, pasting) asks shouldChangeCharacters first, then replaces the
// selection, puts the caret after the inserted text and sends editingChanged.
class TextField : public Control {
  public:
    const std::string& text() const { return text_; }
    // Replaces the text without asking anyone or sending events; the caret goes to the end.
    void setText(std::string text);
    const std::optional<std::string>& placeholder() const { return placeholder_; }
    void setPlaceholder(std::optional<std::string> placeholder) {
        placeholder_ = std::move(placeholder);
    }
    const std::optional<Font>& font() const { return font_; }
    void setFont(std::optional<Font> font) { font_ = std::move(font); }
    const ColorPtr& textColor() const { return textColor_; }
    void setTextColor(ColorPtr color) { textColor_ = std::move(color); }
    KeyboardType keyboardType() const { return keyboardType_; }
    void setKeyboardType(KeyboardType type) { keyboardType_ = type; }
    AutocorrectionType autocorrectionType() const { return autocorrection_; }
    void setAutocorrectionType(AutocorrectionType type) { autocorrection_ = type; }

    std::weak_ptr<TextFieldDelegate> delegate() const { return delegate_; }
    void setDelegate(std::weak_ptr<TextFieldDelegate> delegate) { delegate_ = std::move(delegate); }

    // Views shown inside the field, always visible while set; they are subviews.
    const ViewPtr& leftView() const { return leftView_; }
    void setLeftView(ViewPtr view);
    const ViewPtr& rightView() const { return rightView_; }
    void setRightView(ViewPtr view);

    // --- The caret and selection, in UTF-16 units.
    int length() const;
    TextRange selectedRange() const { return selection_; }
    // Selects `range`, clamped to the text.
    void setSelectedRange(TextRange range);
    // The position `offset` units from the beginning, or absent outside the text.
    std::optional<int> position(int offset) const;

    // --- A person's use.
    // Types `text` one character at a time at the caret (taking the focus first).
    void type(const std::string& text);
    // Pastes `text` over the selection as one edit.
    void paste(const std::string& text);
    // The delete key: removes the selection, else the user-perceived character before the
    // caret, whatever number of code points it holds.
    void deleteBackward();
    // One edit: asks, applies, moves the caret, sends editingChanged; false when refused.
    bool replace(TextRange range, const std::string& replacement);

    // --- First responder: one field of a window edits at a time.
    bool isFirstResponder() const override { return firstResponder_; }
    // False while disabled or hidden; else resigns the other responder of the window, takes
    // the focus and sends editingDidBegin.
    bool becomeFirstResponder();
    // Tells the delegate didEndEditing and sends editingDidEnd.
    bool resignFirstResponder() override;

  protected:
    // Asks the delegate; a subclass that is its own delegate overrides this.
    virtual bool shouldChangeCharacters(TextRange range, const std::string& replacement);
    void handleTap() override;
    void appendSnapshot(std::vector<std::string>& lines) const override;

  private:
    std::string text_;
    std::optional<std::string> placeholder_;
    std::optional<Font> font_;
    ColorPtr textColor_;
    std::weak_ptr<TextFieldDelegate> delegate_;
    ViewPtr leftView_;
    ViewPtr rightView_;
    TextRange selection_;
    KeyboardType keyboardType_ = KeyboardType::standard;
    AutocorrectionType autocorrection_ = AutocorrectionType::standard;
    bool firstResponder_ = false;
};

}  // namespace corvend::platform::ui
