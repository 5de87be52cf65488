#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvend::platform {

class URLComponents;

// An absolute URL (scheme and a non-empty host present), kept as normalised text: the scheme is
// lower-cased, everything else stays byte for byte as given (percent-encoding included).
class URL {
  public:
    // Parses an absolute URL ("https://host:8443/path?q#f"); absent when the text is not one:
    // no scheme, no authority, an empty host, a port above 65535, or text outside RFC 3986.
    static std::optional<URL> make(std::string_view text);

    const std::string& absoluteString() const { return text_; }
    std::string scheme() const { return std::string(part(parts_.scheme)); }  // lower-case
    // The host: a registered name percent-decoded, an IP literal without its brackets ("::1").
    std::optional<std::string> host() const;
    // The explicit port; absent when the text names none (or an empty one, "h:/").
    std::optional<std::uint16_t> port() const { return parts_.port; }
    std::string path() const { return std::string(part(parts_.path)); }  // percent-encoded
    std::optional<std::string> query() const;  // percent-encoded, without "?"

    // The parts all derive from the text.
    friend bool operator==(const URL& a, const URL& b) { return a.text_ == b.text_; }

  private:
    friend class URLComponents;

    // Where a part lies in the text; offsets rather than views keep copies valid.
    struct Span {
        std::size_t begin = 0;
        std::size_t size = 0;
    };
    // Found once by `make`, so accessors never parse again.
    struct Parts {
        Span scheme;
        Span authority;
        Span host;  // encoded, without brackets; decodedHost holds it when decoding changes it
        Span path;
        std::optional<Span> query;
        std::optional<std::uint16_t> port;
    };

    // `make` for text the caller no longer needs: it becomes the URL's own, uncopied.
    static std::optional<URL> adopt(std::string&& text);

    URL(std::string text, Parts parts, std::optional<std::string> decodedHost)
        : text_(std::move(text)), parts_(parts), decodedHost_(std::move(decodedHost)) {}

    std::string_view part(Span span) const {
        return std::string_view(text_).substr(span.begin, span.size);
    }
    std::string_view authority() const { return part(parts_.authority); }
    std::string_view encodedPath() const { return part(parts_.path); }
    std::optional<std::string_view> encodedQuery() const {
        if (!parts_.query) return std::nullopt;
        return part(*parts_.query);
    }

    std::string text_;
    Parts parts_;
    std::optional<std::string> decodedHost_;
};

}  // namespace corvend::platform
