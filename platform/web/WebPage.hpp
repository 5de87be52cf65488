#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/url/URL.hpp"

namespace corvend::platform::web {

// What a loaded page shows, read from its HTML without running anything: the title, the text
// a person reads, and the links they can follow.
struct WebPage {
    struct Link {
        std::string text;  // the link's text, as shown
        URL url;           // its target, resolved against the page's address
    };

    URL url;  // where the page came from, after every redirect
    int statusCode = 0;
    std::optional<std::string> title;
    std::vector<std::string> lines;  // the visible text, a line per block, blanks collapsed
    std::vector<Link> links;         // in page order; links without a usable target are left out

    static WebPage parse(URL url, int statusCode, std::string_view html);
};

}  // namespace corvend::platform::web
