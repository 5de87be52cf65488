#include "platform/ui/Label.hpp"

namespace corvend::platform::ui {

void Label::setText(std::optional<std::string> text) {
    text_ = std::move(text);
    attributedText_.reset();
}

void Label::setAttributedText(std::optional<AttributedString> text) {
    attributedText_ = std::move(text);
    text_.reset();
    if (attributedText_) text_ = attributedText_->string();
}

void Label::appendSnapshot(std::vector<std::string>& lines) const {
    if (text_ && !text_->empty()) lines.push_back(*text_);
}

}  // namespace corvend::platform::ui
