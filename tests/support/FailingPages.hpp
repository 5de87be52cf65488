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

// `returnAddress` is the screen's: a redirect to it too long to be read is a failure too.
inline std::vector<FailingPage> failingPages(std::string_view returnAddress) {
    return {
        {"redirect loop", redirectTo("/page")},
        {"script address", redirectTo("javascript:alert(1)")},
        {"data address", redirectTo("data:text/html,<p>paid</p>")},
        {"file address", redirectTo("file:///etc/passwd")},
        {"page over the size cap",
         {"HTTP/1.1 200 OK\r\nContent-Length: 17000000\r\nConnection: close\r\n\r\n"}},
        {"over-long return address",
         redirectTo(std::string(returnAddress) + "/?sessionId=" + std::string(300'000, 'a'))},
    };
}

}  // namespace corvend::testing
