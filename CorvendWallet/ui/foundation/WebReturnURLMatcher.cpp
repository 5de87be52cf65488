#include "CorvendWallet/ui/foundation/WebReturnURLMatcher.hpp"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>

namespace corvend {

namespace {

// Where the return address's authority ends ("https://host|/path"); npos without "//".
std::size_t authorityEnd(std::string_view url) {
    const std::size_t start = url.find("//");
    if (start == std::string_view::npos) return std::string_view::npos;
    const std::size_t end = url.find_first_of("/?#", start + 2);
    return end == std::string_view::npos ? url.size() : end;
}

// "scheme://[userinfo@]host[:port]": whether the port is written.
bool hasPort(std::string_view origin) {
    std::string_view host = origin.substr(origin.find("//") + 2);
    if (const std::size_t at = host.rfind('@'); at != std::string_view::npos) {
        host.remove_prefix(at + 1);
    }
    if (const std::size_t bracket = host.rfind(']'); bracket != std::string_view::npos) {
        host.remove_prefix(bracket + 1);  // an IPv6 literal's colons are no port
    }
    return host.find(':') != std::string_view::npos;
}

std::optional<std::uint32_t> defaultPort(std::string_view url) {
    if (url.starts_with("https:")) return 443;
    if (url.starts_with("http:")) return 80;
    return std::nullopt;
}

// `port` is the digits after ":" up to the end of the authority; a browser drops it when it
// names the scheme's default port (leading zeros and all) or is empty.
bool isDefaultPort(std::string_view port, std::uint32_t expected) {
    if (port.empty()) return true;
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), value);
    return error == std::errc() && end == port.data() + port.size() && value == expected;
}

}  // namespace

bool WebReturnURLMatcher::matches(std::string_view absoluteString) const {
    if (returnURL_.empty()) return false;
    if (absoluteString.starts_with(returnURL_) && followsReturnURL(absoluteString)) return true;

    // The same address with the scheme's default port written out is the same address.
    const std::string_view returnURL(returnURL_);
    const std::size_t authority = authorityEnd(returnURL);
    const auto port = defaultPort(returnURL);
    if (authority == std::string_view::npos || !port) return false;
    const std::string_view origin = returnURL.substr(0, authority);
    if (hasPort(origin)) return false;
    if (!absoluteString.starts_with(origin) || absoluteString.size() == origin.size() ||
        absoluteString[origin.size()] != ':') {
        return false;
    }
    const std::string_view rest = absoluteString.substr(origin.size() + 1);
    const std::size_t digitsEnd = std::min(rest.find_first_not_of("0123456789"), rest.size());
    if (!isDefaultPort(rest.substr(0, digitsEnd), *port)) return false;
    std::string withoutPort(origin);
    withoutPort += rest.substr(digitsEnd);
    return withoutPort.starts_with(returnURL_) && followsReturnURL(withoutPort);
}

bool WebReturnURLMatcher::followsReturnURL(std::string_view absoluteString) const {
    if (returnURL_.back() == '/' || absoluteString.size() == returnURL_.size()) return true;
    const char next = absoluteString[returnURL_.size()];
    return next == '/' || next == '?' || next == '#';
}

}  // namespace corvend
