#include "platform/url/URL.hpp"

#include <boost/url/parse.hpp>
#include <boost/url/url_view.hpp>
#include <charconv>

namespace corvend::platform {
namespace {

// Boost.URL keeps only the low 16 bits of a port number, so range-check the digits ourselves.
std::optional<std::uint16_t> parsePort(std::string_view digits) {
    std::uint16_t value = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

char toLowerASCII(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::optional<URL> URL::make(std::string_view text) {
    return adopt(std::string(text));
}

std::optional<URL> URL::adopt(std::string&& text) {
    auto parsed = boost::urls::parse_uri(boost::urls::string_view(text.data(), text.size()));
    if (!parsed) return std::nullopt;
    if (!parsed->has_authority() || parsed->encoded_host().empty()) return std::nullopt;
    // Boost.URL 1.81 ends a port at its first non-digit and takes the rest as the path
    // ("h:12a/" as port 12, path "a/"); after an authority the path must start with "/".
    if (!parsed->encoded_path().empty() && !parsed->encoded_path().starts_with('/')) {
        return std::nullopt;
    }
    Parts parts;
    if (parsed->has_port() && !parsed->port().empty()) {
        parts.port = parsePort(parsed->port());
        if (!parts.port) return std::nullopt;
    }
    // The parts are views into `text`, which the URL keeps.
    const auto spanOf = [&text](boost::urls::string_view view) {
        return Span{static_cast<std::size_t>(view.data() - text.data()), view.size()};
    };
    parts.scheme = spanOf(parsed->scheme());
    parts.authority = spanOf(parsed->encoded_authority());
    const auto encodedHost = parsed->encoded_host_address();
    parts.host = spanOf(encodedHost);
    parts.path = spanOf(parsed->encoded_path());
    if (parsed->has_query()) parts.query = spanOf(parsed->encoded_query());

    std::optional<std::string> decodedHost;
    if (encodedHost.find('%') != boost::urls::string_view::npos) {
        decodedHost = parsed->host_address();
    }
    // Normalising the scheme only lower-cases it, in place.
    for (std::size_t i = 0; i < parts.scheme.size; ++i) text[i] = toLowerASCII(text[i]);
    return URL(std::move(text), parts, std::move(decodedHost));
}

std::optional<std::string> URL::host() const {
    if (decodedHost_) return decodedHost_;
    return std::string(part(parts_.host));
}

std::optional<std::string> URL::query() const {
    if (!parts_.query) return std::nullopt;
    return std::string(part(*parts_.query));
}

}  // namespace corvend::platform
