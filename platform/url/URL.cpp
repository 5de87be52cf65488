#include "platform/url/URL.hpp"

#include <boost/url/parse.hpp>
#include <boost/url/url.hpp>
#include <boost/url/url_view.hpp>
#include <charconv>

namespace corvend::platform {
namespace {

// Only called on text that `make` accepted, so parsing cannot fail.
boost::urls::url_view viewOf(const std::string& text) {
    return boost::urls::url_view(text);
}

// Boost.URL keeps only the low 16 bits of a port number, so range-check the digits ourselves.
std::optional<std::uint16_t> parsePort(std::string_view digits) {
    std::uint16_t value = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

}  // namespace

std::optional<URL> URL::make(std::string_view text) {
    auto parsed = boost::urls::parse_uri(boost::urls::string_view(text.data(), text.size()));
    if (!parsed) return std::nullopt;
    if (!parsed->has_authority() || parsed->encoded_host().empty()) return std::nullopt;
    // Boost.URL 1.81 ends a port at its first non-digit and takes the rest as the path
    // ("h:12a/" as port 12, path "a/"); after an authority the path must start with "/".
    if (!parsed->encoded_path().empty() && !parsed->encoded_path().starts_with('/')) {
        return std::nullopt;
    }
    if (parsed->has_port() && !parsed->port().empty() && !parsePort(parsed->port())) {
        return std::nullopt;
    }
    boost::urls::url normalised(*parsed);
    normalised.normalize_scheme();
    return URL(std::string(normalised.buffer()));
}

std::string URL::scheme() const {
    return std::string(viewOf(text_).scheme());
}

std::optional<std::string> URL::host() const {
    auto view = viewOf(text_);
    if (!view.has_authority()) return std::nullopt;
    return view.host_address();
}

std::optional<std::uint16_t> URL::port() const {
    auto view = viewOf(text_);
    if (!view.has_port() || view.port().empty()) return std::nullopt;
    return parsePort(view.port());
}

std::string URL::path() const {
    return std::string(viewOf(text_).encoded_path());
}

std::optional<std::string> URL::query() const {
    auto view = viewOf(text_);
    if (!view.has_query()) return std::nullopt;
    return std::string(view.encoded_query());
}

}  // namespace corvend::platform
