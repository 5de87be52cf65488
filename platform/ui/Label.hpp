#pragma once

#include <optional>
#include <string>

#include "platform/ui/AttributedString.hpp"
#include "platform/ui/View.hpp"

namespace corvend::platform::ui {

// Shows a text, plain or attributed; setting one replaces the other.
class Label : public View {
  public:
    const std::optional<std::string>& text() const { return text_; }
    void setText(std::optional<std::string> text);
    const std::optional<AttributedString>& attributedText() const { return attributedText_; }
    void setAttributedText(std::optional<AttributedString> text);

    TextAlignment textAlignment() const { return alignment_; }
    void setTextAlignment(TextAlignment alignment) { alignment_ = alignment; }
    // 0: as many lines as the text needs.
    int numberOfLines() const { return numberOfLines_; }
    void setNumberOfLines(int lines) { numberOfLines_ = lines; }
    LineBreakMode lineBreakMode() const { return lineBreakMode_; }
    void setLineBreakMode(LineBreakMode mode) { lineBreakMode_ = mode; }
    const ColorPtr& textColor() const { return textColor_; }
    void setTextColor(ColorPtr color) { textColor_ = std::move(color); }
    const std::optional<Font>& font() const { return font_; }
    void setFont(std::optional<Font> font) { font_ = std::move(font); }

  protected:
    void appendSnapshot(std::vector<std::string>& lines) const override;

  private:
    std::optional<std::string> text_;
    std::optional<AttributedString> attributedText_;
    ColorPtr textColor_;
    std::optional<Font> font_;
    TextAlignment alignment_ = TextAlignment::natural;
    LineBreakMode lineBreakMode_ = LineBreakMode::byTruncatingTail;
    int numberOfLines_ = 1;
};

}  // namespace corvend::platform::ui
