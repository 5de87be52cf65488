#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/url/URL.hpp"

namespace corvend::platform {

// One query item; a name without value is written without "=".
struct URLQueryItem {
    std::string name;
    std::optional<std::string> value;
    friend bool operator==(const URLQueryItem&, const URLQueryItem&) = default;
};

// The parsed parts of a URL reference: a relative path ("digitalwallets/v1/profile"), or an
// absolute URL that carries its own host.
class URLComponents {
  public:
    // Parses `text` as an RFC 3986 URL reference; absent when it is not one (a space, a bad
    // percent escape such as "%zz", an unterminated IP literal, ...). The empty text is the
    // empty reference and parses.
    static std::optional<URLComponents> parse(std::string_view text);
    // Parses a link's address as browsers read it before they resolve it against a base whose
    // scheme is `baseScheme`: C0 controls and blanks around it and tabs and newlines inside are
    // dropped; for http(s), "\" before the query is "/"; after the host, what RFC 3986 does
    // not allow raw (a blank, "|", "{}", non-ASCII bytes as UTF-8, ...) is percent-encoded,
    // escapes already there kept as written. Absent when the result is still no reference
    // (a bad escape such as "%zz", a bad host or port).
    static std::optional<URLComponents> parseAsBrowser(std::string_view text,
                                                       std::string_view baseScheme);

    // Lower-case; absent for a relative reference.
    std::optional<std::string> scheme() const;
    // The host (percent-decoded; IP literals without brackets); absent when there is no
    // authority or its host is empty.
    std::optional<std::string> host() const;
    bool hasHost() const;
    // The path, percent-encoded as in the text.
    std::string percentEncodedPath() const;

    // The decoded query items, in order, duplicates kept; absent when there is no query. "+" is
    // a plus sign, not a space. A bare "?" gives an empty list.
    std::optional<std::vector<URLQueryItem>> queryItems() const;
    // Replaces the query. Names and values are percent-encoded outside RFC 3986's unreserved
    // set, so "+", "&", "=" and "#" reach the server as given. An empty list writes a bare "?";
    // absent removes the query. Path and fragment are kept.
    void setQueryItems(std::optional<std::vector<URLQueryItem>> items);

    // Resolves these components against `base` (RFC 3986, section 5); components that carry a
    // scheme and a host stand on their own, as given. Dot segments of a relative path are
    // removed; percent-encoding is never decoded or re-encoded, so an escaped "/" stays inside
    // its segment and the query arrives byte for byte. Absent when the result is not an
    // absolute URL with a host (see URL::make).
    std::optional<URL> url(const URL& base) const;

    // The reference as text ("digitalwallets/v1/x?limit=10"): the form error reports use.
    std::string string() const;

  private:
    // Where the parts of the reference lie in its text, found when it is parsed or edited, so
    // that resolving it against a base parses nothing again.
    struct Parts {
        bool hasScheme = false;
        bool hasAuthority = false;
        URL::Span path;
        std::optional<URL::Span> query;
        std::optional<URL::Span> fragment;
    };

    URLComponents(std::string text, Parts parts) : text_(std::move(text)), parts_(parts) {}
    // The parts of a parsed reference `view` whose text starts at `text`.
    template <class View>
    static Parts partsOf(const View& view, const char* text);
    // url(base) for a reference that has an authority but no scheme.
    std::optional<URL> urlWithAuthority(const URL& base) const;
    std::string_view part(URL::Span span) const {
        return std::string_view(text_).substr(span.begin, span.size);
    }

    std::string text_;  // a valid URL reference
    Parts parts_;
};

}  // namespace corvend::platform
