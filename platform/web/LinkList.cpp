#include "platform/web/LinkList.hpp"

#include <stdexcept>

#include "platform/url/URLComponents.hpp"

namespace corvend::platform::web {

std::optional<URL> LinkList::resolve(std::string_view href, const URL& base) {
    const auto reference = URLComponents::parseAsBrowser(href, base.scheme());
    if (!reference) return std::nullopt;
    return reference->url(base);
}

LinkList::Link LinkList::operator[](std::size_t index) const {
    auto url = resolve(parts_[2 * index], base_);
    // Only targets that resolved were added, and resolving the same text again gives the same.
    if (!url) throw std::logic_error("a link's target no longer resolves");
    return {std::string(text(index)), std::move(*url)};
}

void LinkList::push_back(std::string_view href, std::string_view text) {
    parts_.push_back(href);
    parts_.push_back(text);
}

}  // namespace corvend::platform::web
