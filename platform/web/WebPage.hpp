#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/url/URL.hpp"
#include "platform/web/LinkList.hpp"
#include "platform/web/TextList.hpp"

namespace corvend::platform::web {

// What a loaded page shows, read from its HTML as a browser with scripting off reads it (an
// HTML5 parser builds the tree): the title, the text a person reads, and the links they can
// follow, resolved against the document's base (its first <base href>, else its address).
// Reading takes time in proportion to the page's bytes as long as its tags nest shallowly; the
// parser's tree building grows with the bytes times the depth of nesting (a page of 40,000
// unclosed <div>s takes seconds), and its tree can hold far more than the page (each block
// re-opens the formatting elements still open, a link's address with them). So a read is
// bounded: see Limits.
struct WebPage {
    using Link = LinkList::Link;

    // What one read may take, counted over the whole read (the parse, and the reading of its
    // tree after): the memory the parser holds and the read keeps, at once (what it keeps
    // counts three times: once, and twice for the copies its growing text makes on the way);
    // what a read page keeps (its title, text, base address once, and links: each distinct
    // target once, at the larger of its address as written and the one it leads to, a same-page
    // link at what it says); and the reading thread's CPU time. A read that would go past
    // any of them, or whose task is cancelled, stops wherever it is, with every block it held
    // freed and given back: it throws URLError (pageReadLimitExceeded) naming the limit, or
    // saying that the system had no memory or no timer to give, or CancellationError. A read's
    // peak is then at most its memory limit.
    struct Limits {
        std::size_t memoryBytes = 0;
        std::chrono::nanoseconds cpuTime{};
        std::size_t keptBytes = ~std::size_t{0};
    };
    // The kit's limits for a page of `pageBytes`: 28 bytes per byte of the page plus 64 MiB, 10 s
    // of CPU time (a 16 MiB page of 300,000 links reads in about 1.3 s), and six times the page
    // plus 64 KiB kept: what a page can keep of its own (each byte that is no UTF-8 kept as
    // U+FFFD, three bytes, and the words of a link twice), while a long base joined to many
    // targets ends the read there.
    static Limits limitsFor(std::size_t pageBytes);

    URL url;  // where the page came from, after every redirect
    int statusCode = 0;
    std::optional<std::string> title;
    TextList lines;  // the visible text, a line per block, blanks collapsed
    // In page order; a link whose target cannot be read, is no http or https address, or leads
    // to one longer than the view loads, is left out, and named in the text after its words.
    LinkList links;

    // Reads `html`, decoded to UTF-8 first from the encoding it is written in, found by the
    // web's rules: its byte-order mark, else the charset of `contentType` (the reply's
    // Content-Type), else a <meta> among its first 1,024 bytes, else UTF-8. A page in UTF-8 is
    // read within limitsFor(html.size()); one decoded within those while it is decoded, then
    // within limitsFor(its decoded size), the decoded text counted against the memory limit.
    static WebPage parse(URL url, int statusCode, std::string_view html,
                         std::optional<std::string_view> contentType = std::nullopt);
    // Reads within `limits`: the decoding and the parse together.
    static WebPage parse(URL url, int statusCode, std::string_view html, const Limits& limits,
                         std::optional<std::string_view> contentType = std::nullopt);
};

}  // namespace corvend::platform::web
