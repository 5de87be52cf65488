#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/url/URL.hpp"
#include "platform/web/LinkList.hpp"
#include "platform/web/TextList.hpp"

namespace corvend::platform::web {

// What a loaded page shows, read from its HTML as a browser with scripting off reads it (an
// HTML5 parser builds the tree): the title, the text a person reads, and the links they can
// follow. Reading takes time in proportion to the page's bytes as long as its tags nest
// shallowly; the parser's tree building grows with the bytes times the depth of nesting (a
// page of 40,000 unclosed <div>s takes seconds). What a read page holds stays within
// twice the page's bytes.
struct WebPage {
    using Link = LinkList::Link;

    URL url;  // where the page came from, after every redirect
    int statusCode = 0;
    std::optional<std::string> title;
    TextList lines;  // the visible text, a line per block, blanks collapsed
    // In page order; a link whose target cannot be read, or is no http or https address, is
    // left out, and named in the text after its words.
    LinkList links;

    static WebPage parse(URL url, int statusCode, std::string_view html);
};

}  // namespace corvend::platform::web
