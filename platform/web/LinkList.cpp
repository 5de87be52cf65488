#include "platform/web/LinkList.hpp"

#include <functional>
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

namespace {

constexpr std::uint32_t kVacant = ~std::uint32_t{0};

}  // namespace

std::size_t LinkList::placeOf(std::string_view href) const {
    const std::size_t mask = index_.size() - 1;
    const std::size_t hash = std::hash<std::string_view>{}(href);
    std::size_t place = hash & mask;
    while (index_[place] != kVacant && targets_[index_[place]] != href) place = (place + 1) & mask;
    return place;
}

std::optional<std::size_t> LinkList::findTarget(std::string_view href) {
    if (targets_.empty()) return std::nullopt;
    if (index_.empty()) growIndex();
    const std::uint32_t target = index_[placeOf(href)];
    if (target == kVacant) return std::nullopt;
    return target;
}

void LinkList::growIndex() {
    // Twice the places of the targets, once one more is added; each text hashed again.
    std::size_t places = 2;
    while (places < 2 * (targets_.size() + 1)) places *= 2;
    index_.assign(places, kVacant);
    for (std::size_t target = 0; target < targets_.size(); ++target) {
        index_[placeOf(targets_[target])] = static_cast<std::uint32_t>(target);
    }
}

std::size_t LinkList::addTarget(std::string_view href) {
    if (targets_.size() >= kVacant - 1) {
        throw std::length_error("a link list holds fewer than 4 G targets");
    }
    if (2 * (targets_.size() + 1) > index_.size()) growIndex();
    targets_.push_back(href);
    const std::size_t target = targets_.size() - 1;
    index_[placeOf(href)] = static_cast<std::uint32_t>(target);
    return target;
}

void LinkList::push_back(std::size_t target, std::string_view text) {
    texts_.push_back(text);
    targetOf_.push_back(static_cast<std::uint32_t>(target));
}

void LinkList::shrinkToFit() {
    index_ = {};
    targets_.shrinkToFit();
    texts_.shrinkToFit();
    targetOf_.shrink_to_fit();
}

}  // namespace corvend::platform::web
