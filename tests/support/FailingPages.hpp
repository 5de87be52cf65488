#pragma once

// Pages a web screen must survive: each one fails to load, for one of the reasons a web view
// gives up on a page.

#include <string>
#include <string_view>
#include <vector>

#include "tests/support/FaultServer.hpp"

namespace corvend::testing {

struct FailingPage {
    const char* name;
    FaultServer::Script script;
};

// A reply that redirects to `location`, once per connection.
inline FaultServer::Script redirectTo(const std::string& location) {
    return {"HTTP/1.1 302 Found\r\nLocation: " + location +
            "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n"};
}

// A <div> holding 1,000 formatting elements left open, then `blocks` blocks: each block re-opens
// all 1,000, so a page of 12 bytes per block builds a tree of 1,000 elements per block.
inline std::string reopeningPage(int blocks) {
    std::string page = "<div>";
    for (int i = 0; i < 1'000; ++i) page += "<b id=" + std::to_string(i) + ">";
    page += "</div>";
    for (int i = 0; i < blocks; ++i) page += "<div>x</div>";
    return page;
}

// `returnAddress` is the screen's: a redirect to it too long to be read is a failure too.
inline std::vector<FailingPage> failingPages(std::string_view returnAddress) {
    const std::string tooCostly = reopeningPage(1'000);
    return {
        {"redirect loop", redirectTo("/page")},
        {"script address", redirectTo("javascript:alert(1)")},
        {"data address", redirectTo("data:text/html,<p>paid</p>")},
        {"file address", redirectTo("file:///etc/passwd")},
        {"page over the size cap",
         {"HTTP/1.1 200 OK\r\nContent-Length: 17000000\r\nConnection: close\r\n\r\n"}},
        {"page that takes gigabytes to read",
         {"HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
          std::to_string(tooCostly.size()) + "\r\nConnection: close\r\n\r\n" + tooCostly}},
        {"over-long return address",
         redirectTo(std::string(returnAddress) + "/?sessionId=" + std::string(300'000, 'a'))},
    };
}

}  // namespace corvend::testing
