#pragma once

#include <string>
#include <string_view>

#include "platform/url/URL.hpp"

namespace corvend {

// Tells whether a navigation reaches a web step's return address, so a screen can end the step
// there. An address matches when its text begins with the return address (case-sensitive) and
// the return address ends with "/" or is followed by the end, "/", "?" or "#": a longer host
// or path that merely starts with the same letters is somewhere else. The scheme's default port
// written out (":443" for https, ":80" for http) changes nothing, as a browser drops it too.
class WebReturnURLMatcher {
  public:
    explicit WebReturnURLMatcher(std::string returnURL) : returnURL_(std::move(returnURL)) {}

    bool matches(std::string_view absoluteString) const;
    bool matches(const platform::URL& url) const { return matches(url.absoluteString()); }

    const std::string& returnURL() const { return returnURL_; }

  private:
    // `absoluteString` begins with the return address: what follows it still belongs to it.
    bool followsReturnURL(std::string_view absoluteString) const;

    std::string returnURL_;
};

}  // namespace corvend
