#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/url/URL.hpp"
#include "platform/web/IndexIterator.hpp"
#include "platform/web/TextList.hpp"

namespace corvend::platform::web {

// The links of a page, in page order. Each keeps its target as the page wrote it and is
// resolved against the document's base address when read, so that a page of many links costs about
// its own size; only targets that resolve are ever added.
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

    std::size_t size() const noexcept { return parts_.size() / 2; }
    bool empty() const noexcept { return parts_.empty(); }
    Link operator[](std::size_t index) const;
    Link front() const { return (*this)[0]; }
    // The shown text of link `index`, without resolving its target.
    std::string_view text(std::size_t index) const { return parts_[2 * index + 1]; }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    // Adds a link whose target `href` resolves against the base (checked by the caller with
    // resolve()).
    void push_back(std::string_view href, std::string_view text);
    void shrinkToFit() { parts_.shrinkToFit(); }

  private:
    URL base_;
    TextList parts_;  // each link's target as written, then its text
};

}  // namespace corvend::platform::web
