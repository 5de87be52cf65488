#include "platform/ui/AttributedString.hpp"

namespace corvend::platform::ui {

AttributedString::AttributedString(std::string text, TextRunAttributes attributes) {
    if (!text.empty()) runs_.push_back(Run{std::move(text), std::move(attributes)});
}

std::string AttributedString::string() const {
    std::string text;
    for (const Run& run : runs_) text += run.text;
    return text;
}

void AttributedString::append(const AttributedString& other) {
    runs_.insert(runs_.end(), other.runs_.begin(), other.runs_.end());
}

void AttributedString::addAttributes(const TextRunAttributes& attributes) {
    const auto over = [](auto& target, const auto& value) {
        if (value) target = value;
    };
    for (Run& run : runs_) {
        over(run.attributes.font, attributes.font);
        over(run.attributes.foregroundColor, attributes.foregroundColor);
        over(run.attributes.minimumLineHeight, attributes.minimumLineHeight);
        over(run.attributes.maximumLineHeight, attributes.maximumLineHeight);
        over(run.attributes.baselineOffset, attributes.baselineOffset);
        over(run.attributes.alignment, attributes.alignment);
        over(run.attributes.lineBreakMode, attributes.lineBreakMode);
        over(run.attributes.link, attributes.link);
    }
}

}  // namespace corvend::platform::ui
