#include "platform/web/TextList.hpp"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace corvend::platform::web {

std::string_view TextList::operator[](std::size_t index) const {
    const std::size_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(text_).substr(begin, ends_[index] - begin);
}

void TextList::push_back(std::string_view text) {
    if (text.size() > std::numeric_limits<std::uint32_t>::max() - text_.size()) {
        throw std::length_error("a text list holds at most 4 GiB");
    }
    text_ += text;
    ends_.push_back(static_cast<std::uint32_t>(text_.size()));
}

void TextList::shrinkToFit() {
    text_.shrink_to_fit();
    ends_.shrink_to_fit();
}

bool operator==(const TextList& lhs, const std::vector<std::string>& rhs) {
    return std::ranges::equal(lhs, rhs);
}

}  // namespace corvend::platform::web
