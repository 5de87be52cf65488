#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvend::platform {

// An absolute URL (scheme and a non-empty host present), kept as normalised text: the scheme is
// lower-cased, everything else stays byte for byte as given (percent-encoding included).
class URL {
  public:
    // Parses an absolute URL ("https://host:8443/path?q#f"); absent when the text is not one:
    // no scheme, no authority, an empty host, a port above 65535, or text outside RFC 3986.
    static std::optional<URL> make(std::string_view text);

    const std::string& absoluteString() const { return text_; }
    std::string scheme() const;  // lower-case, e.g. "https"
    // The host: a registered name percent-decoded, an IP literal without its brackets ("::1").
    std::optional<std::string> host() const;
    // The explicit port; absent when the text names none (or an empty one, "h:/").
    std::optional<std::uint16_t> port() const;
    std::string path() const;                  // percent-encoded, as on the wire
    std::optional<std::string> query() const;  // percent-encoded, without "?"

    friend bool operator==(const URL&, const URL&) = default;

  private:
    explicit URL(std::string text) : text_(std::move(text)) {}
    std::string text_;
};

}  // namespace corvend::platform
