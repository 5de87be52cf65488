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
// many links lead to it, and is resolved against the document's base address when read, so
// that a page of many links costs about its own size; only targets that resolve are ever added.
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

    // Adds the target `href`, which resolves against the base (checked by the caller with
    // resolve()), and gives its number for the links that lead to it.
    std::size_t addTarget(std::string_view href);
    // Adds a link to the target numbered `target`, shown as `text`.
    void push_back(std::size_t target, std::string_view text);
    void shrinkToFit();

  private:
    URL base_;
    TextList targets_;                     // as written
    TextList texts_;                       // each link's text
    std::vector<std::uint32_t> targetOf_;  // each link's target
};

}  // namespace corvend::platform::web
