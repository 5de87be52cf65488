#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/url/URL.hpp"
#include "platform/web/IndexIterator.hpp"
#include "platform/web/TextList.hpp"

namespace corvend::platform::web {

// The links of a page, in page order. Each target is kept as the page wrote it, once however
// many links lead to it (found by its text), and is resolved against the document's base address
// when read, so that a page of many links costs about its own size; only targets that resolve are
// ever added. Resolving costs what the address resolved to takes: up to
// URLSession::kMaximumURLLength for each link a host holds resolved, since a short target joined
// to a long base resolves long.
class LinkList {
  public:
    struct Link {
        std::string text;  // the link's text, as shown
        URL url;           // its target, resolved against the document's base address
    };

    using const_iterator = IndexIterator<LinkList, Link>;
    using iterator = const_iterator;
    using value_type = Link;
    using size_type = std::size_t;

    explicit LinkList(URL base) : base_(std::move(base)) {}

    const URL& base() const noexcept { return base_; }

    // The target `href`, read as browsers read a link's address, resolved against the base, if
    // it resolves.
    static std::optional<URL> resolve(std::string_view href, const URL& base);

    std::size_t size() const noexcept { return targetOf_.size(); }
    bool empty() const noexcept { return targetOf_.empty(); }
    Link operator[](std::size_t index) const;
    Link front() const { return (*this)[0]; }
    // The shown text of link `index`, without resolving its target.
    std::string_view text(std::size_t index) const { return texts_[index]; }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    // The number of the target written as `href`, when it was added.
    std::optional<std::size_t> findTarget(std::string_view href);
    // Adds the target `href`, not yet added, which resolves against the base (checked by the
    // caller with resolve()), and gives its number for the links that lead to it.
    std::size_t addTarget(std::string_view href);
    // What finding targets by their text takes beside them, per target at most (while its index
    // grows), until shrinkToFit().
    static constexpr std::size_t kIndexBytes = 24;
    // Adds a link to the target numbered `target`, shown as `text`.
    void push_back(std::size_t target, std::string_view text);
    // Gives back what growing reserved and the index of targets: a finished list keeps only what
    // it holds (a later find or add makes the index again).
    void shrinkToFit();

  private:
    // Where the target `href` stands in index_, or the vacant place it would take.
    std::size_t placeOf(std::string_view href) const;
    void growIndex();

    URL base_;
    TextList targets_;                     // as written
    TextList texts_;                       // each link's text
    std::vector<std::uint32_t> targetOf_;  // each link's target
    // Each target's number at a place found from its text's hash (open addressing, between a
    // quarter and half full), the texts not kept twice.
    std::vector<std::uint32_t> index_;
};

}  // namespace corvend::platform::web
