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
    auto url = resolve(targets_[targetOf_[index]], base_);
    // Only targets that resolved were added, and resolving the same text again gives the same.
    if (!url) throw std::logic_error("a link's target no longer resolves");
    return {std::string(text(index)), std::move(*url)};
}

std::size_t LinkList::addTarget(std::string_view href) {
    targets_.push_back(href);
    return targets_.size() - 1;
}

void LinkList::push_back(std::size_t target, std::string_view text) {
    texts_.push_back(text);
    targetOf_.push_back(static_cast<std::uint32_t>(target));
}

void LinkList::shrinkToFit() {
    targets_.shrinkToFit();
    texts_.shrinkToFit();
    targetOf_.shrink_to_fit();
}

}  // namespace corvend::platform::web
