#include "platform/ui/AttributedString.hpp"

#include <algorithm>
#include <cstdint>

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

namespace {

void merge(TextRunAttributes& target, const TextRunAttributes& attributes) {
    const auto over = [](auto& into, const auto& value) {
        if (value) into = value;
    };
    over(target.font, attributes.font);
    over(target.foregroundColor, attributes.foregroundColor);
    over(target.minimumLineHeight, attributes.minimumLineHeight);
    over(target.maximumLineHeight, attributes.maximumLineHeight);
    over(target.baselineOffset, attributes.baselineOffset);
    over(target.alignment, attributes.alignment);
    over(target.lineBreakMode, attributes.lineBreakMode);
    over(target.link, attributes.link);
}

}  // namespace

void AttributedString::addAttributes(const TextRunAttributes& attributes) {
    for (Run& run : runs_) merge(run.attributes, attributes);
}

void AttributedString::addAttributes(const TextRunAttributes& attributes, std::size_t begin,
                                     std::size_t length) {
    const std::size_t end = length > SIZE_MAX - begin ? SIZE_MAX : begin + length;
    std::vector<Run> split;
    std::size_t at = 0;
    for (Run& run : runs_) {
        const std::size_t runEnd = at + run.text.size();
        const std::size_t from = std::clamp(begin, at, runEnd) - at;
        const std::size_t to = std::clamp(end, at, runEnd) - at;
        if (from > 0) split.push_back(Run{run.text.substr(0, from), run.attributes});
        if (to > from) {
            Run middle{run.text.substr(from, to - from), run.attributes};
            merge(middle.attributes, attributes);
            split.push_back(std::move(middle));
        }
        if (to < run.text.size()) split.push_back(Run{run.text.substr(to), run.attributes});
        at = runEnd;
    }
    runs_ = std::move(split);
}

}  // namespace corvend::platform::ui
