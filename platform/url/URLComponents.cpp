#include "platform/url/URLComponents.hpp"

#include <algorithm>
#include <array>
#include <boost/url/encode.hpp>
#include <boost/url/encoding_opts.hpp>
#include <boost/url/grammar/alnum_chars.hpp>
#include <boost/url/grammar/alpha_chars.hpp>
#include <boost/url/grammar/ci_string.hpp>
#include <boost/url/grammar/lut_chars.hpp>
#include <boost/url/parse.hpp>
#include <boost/url/rfc/pchars.hpp>
#include <boost/url/rfc/unreserved_chars.hpp>
#include <boost/url/url.hpp>
#include <boost/url/url_view.hpp>
#include <iterator>
#include <utility>

namespace corvend::platform {
namespace {

// Only called on text that `parse` accepted (or Boost.URL itself wrote), so it cannot fail.
boost::urls::url_view viewOf(const std::string& text) {
    return boost::urls::parse_uri_reference(text).value();
}

std::string_view toStd(boost::urls::string_view text) {
    return {text.data(), text.size()};
}

std::string encodeUnreserved(std::string_view text) {
    return boost::urls::encode(boost::urls::string_view(text.data(), text.size()),
                               boost::urls::unreserved_chars);
}

// RFC 3986, 5.2.4, on the encoded text. Boost.URL's own normalisation decodes escapes such
// as "%2F" before it removes dot segments (turning one segment into two) and keeps leading
// ".." segments, so the algorithm is applied here on the bytes as written.
std::string removeDotSegments(std::string_view input) {
    std::string output;
    const auto dropLastSegment = [&output] {
        const auto slash = output.rfind('/');
        output.erase(slash == std::string::npos ? 0 : slash);
    };
    while (!input.empty()) {
        if (input.starts_with("../")) {
            input.remove_prefix(3);
        } else if (input.starts_with("./")) {
            input.remove_prefix(2);
        } else if (input.starts_with("/./")) {
            input.remove_prefix(2);
        } else if (input == "/.") {
            input = "/";
        } else if (input.starts_with("/../")) {
            input.remove_prefix(3);
            dropLastSegment();
        } else if (input == "/..") {
            input = "/";
            dropLastSegment();
        } else if (input == "." || input == "..") {
            input = {};
        } else {
            const auto next = input.find('/', 1);
            const auto length = next == std::string_view::npos ? input.size() : next;
            output.append(input.substr(0, length));
            input.remove_prefix(length);
        }
    }
    return output;
}

}  // namespace

template <class View>
URLComponents::Parts URLComponents::partsOf(const View& view, const char* text) {
    const auto spanOf = [text](boost::urls::string_view part) {
        return URL::Span{static_cast<std::size_t>(part.data() - text), part.size()};
    };
    Parts parts{view.has_scheme(), view.has_authority(), spanOf(view.encoded_path()), {}, {}};
    if (view.has_query()) parts.query = spanOf(view.encoded_query());
    if (view.has_fragment()) parts.fragment = spanOf(view.encoded_fragment());
    return parts;
}

namespace {

constexpr bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// RFC 3986's pchar without ":", as a table: unreserved, sub-delims and "@".
constexpr std::array<bool, 256> kPlainPathChars = [] {
    std::array<bool, 256> table{};
    for (int c = 'a'; c <= 'z'; ++c) table[static_cast<std::size_t>(c)] = true;
    for (int c = 'A'; c <= 'Z'; ++c) table[static_cast<std::size_t>(c)] = true;
    for (int c = '0'; c <= '9'; ++c) table[static_cast<std::size_t>(c)] = true;
    for (char c : std::string_view("-._~!$&'()*+,;=@/")) {
        table[static_cast<unsigned char>(c)] = true;
    }
    return table;
}();

// Whether `text` is a reference made of a path alone (no scheme, authority, query or
// fragment), which is what endpoints mostly are: then it needs no full parse. A ":" (which
// could end a scheme) or a leading "//" (an authority) leaves it to the full parse.
bool isPlainPath(std::string_view text) {
    if (text.empty() || text.starts_with("//")) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%') {
            if (text.size() - i < 3 || !isHexDigit(text[i + 1]) || !isHexDigit(text[i + 2])) {
                return false;
            }
            i += 2;
        } else if (!kPlainPathChars[static_cast<unsigned char>(c)]) {
            return false;
        }
    }
    return true;
}

// What a path, query or fragment may hold raw, "%" aside (appendEncoded keeps it).
constexpr boost::urls::grammar::lut_chars kPartChars = boost::urls::pchars + '/' + '?';

// Appends `text` percent-encoded outside kPartChars, its "%" signs kept as written: browsers
// leave escapes, good or bad, as they are.
void appendEncoded(std::string_view text, std::string& out) {
    for (;;) {
        const auto percent = text.find('%');
        const auto run = text.substr(0, percent);
        out.append(
            boost::urls::encode(boost::urls::string_view(run.data(), run.size()), kPartChars));
        if (percent == std::string_view::npos) return;
        out.push_back('%');
        text.remove_prefix(percent + 1);
    }
}

// The scheme `text` starts with ("HTTP" of "HTTP:x"); empty when it starts with none.
std::string_view leadingScheme(std::string_view text) {
    constexpr auto kSchemeChars =
        boost::urls::grammar::lut_chars(boost::urls::grammar::alnum_chars) + "+-.";
    const auto scheme = text.substr(0, text.find(':'));
    if (scheme.size() == text.size() || scheme.empty() ||
        !boost::urls::grammar::alpha_chars(scheme.front()) ||
        !std::ranges::all_of(scheme, kSchemeChars)) {
        return {};
    }
    return scheme;
}

}  // namespace

std::optional<URLComponents> URLComponents::parseAsBrowser(std::string_view text,
                                                           std::string_view baseScheme) {
    const auto isControlOrBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && isControlOrBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isControlOrBlank(text.back())) text.remove_suffix(1);
    std::string read;
    std::ranges::copy_if(text, std::back_inserter(read),
                         [](char c) { return c != '\t' && c != '\n' && c != '\r'; });

    const auto scheme = leadingScheme(read);
    const auto schemeUsed = scheme.empty() ? baseScheme : scheme;
    if (boost::urls::grammar::ci_is_equal(schemeUsed, "http") ||
        boost::urls::grammar::ci_is_equal(schemeUsed, "https")) {
        const auto queryAt = std::min(read.find_first_of("?#"), read.size());
        std::replace(read.begin(), read.begin() + static_cast<std::ptrdiff_t>(queryAt), '\\', '/');
    }
    // The host stays as written: browsers map or refuse one, they never escape it.
    std::size_t hostEnd = scheme.empty() ? 0 : scheme.size() + 1;
    if (read.compare(hostEnd, 2, "//") == 0) {
        hostEnd = std::min(read.find_first_of("/?#", hostEnd + 2), read.size());
    }
    const std::string_view rest = std::string_view(read).substr(hostEnd);
    std::string spelled = read.substr(0, hostEnd);
    const auto fragmentAt = rest.find('#');
    appendEncoded(rest.substr(0, fragmentAt), spelled);
    if (fragmentAt != std::string_view::npos) {
        spelled.push_back('#');
        appendEncoded(rest.substr(fragmentAt + 1), spelled);
    }
    return parse(spelled);
}

std::optional<URLComponents> URLComponents::parse(std::string_view text) {
    if (isPlainPath(text)) {
        return URLComponents(std::string(text),
                             Parts{false, false, URL::Span{0, text.size()}, {}, {}});
    }
    auto parsed =
        boost::urls::parse_uri_reference(boost::urls::string_view(text.data(), text.size()));
    if (!parsed) return std::nullopt;
    // Boost.URL 1.81 ends a port at its first non-digit and takes the rest as the path
    // ("h:12a/" as port 12, path "a/"); after an authority the path must start with "/".
    if (parsed->has_authority() && !parsed->encoded_path().empty() &&
        !parsed->encoded_path().starts_with('/')) {
        return std::nullopt;
    }
    return URLComponents(std::string(text), partsOf(*parsed, text.data()));
}

std::optional<std::string> URLComponents::scheme() const {
    auto view = viewOf(text_);
    if (!view.has_scheme()) return std::nullopt;
    boost::urls::url normalised(view);
    normalised.normalize_scheme();
    return std::string(normalised.scheme());
}

std::optional<std::string> URLComponents::host() const {
    auto view = viewOf(text_);
    if (!view.has_authority() || view.encoded_host().empty()) return std::nullopt;
    return view.host_address();
}

bool URLComponents::hasHost() const {
    return host().has_value();
}

std::string URLComponents::percentEncodedPath() const {
    return std::string(viewOf(text_).encoded_path());
}

std::optional<std::vector<URLQueryItem>> URLComponents::queryItems() const {
    auto view = viewOf(text_);
    if (!view.has_query()) return std::nullopt;
    std::vector<URLQueryItem> items;
    // A bare "?" is one empty parameter to Boost.URL; here it is no items, the form
    // setQueryItems writes for an empty list.
    if (view.encoded_query().empty()) return items;
    for (const auto& param : view.params(boost::urls::encoding_opts(false, false, false))) {
        items.push_back(URLQueryItem{
            param.key, param.has_value ? std::optional<std::string>(param.value) : std::nullopt});
    }
    return items;
}

void URLComponents::setQueryItems(std::optional<std::vector<URLQueryItem>> items) {
    boost::urls::url edited(viewOf(text_));
    if (!items) {
        edited.remove_query();
    } else {
        std::string query;
        bool first = true;
        for (const auto& item : *items) {
            if (!first) query.push_back('&');
            first = false;
            query.append(encodeUnreserved(item.name));
            if (item.value) {
                query.push_back('=');
                query.append(encodeUnreserved(*item.value));
            }
        }
        edited.set_encoded_query(query);
    }
    text_ = std::string(edited.buffer());
    parts_ = partsOf(edited, edited.buffer().data());
}

std::optional<URL> URLComponents::url(const URL& base) const {
    if (parts_.hasScheme) return URL::make(text_);
    if (parts_.hasAuthority) return urlWithAuthority(base);

    // RFC 3986, 5.2.2, for a reference with neither scheme nor authority: the result keeps the
    // base's scheme and authority, so it starts with the base's own text up to there and
    // keeps what the base found in it; the rest is a path that starts with "/" and the
    // reference's own query and fragment, so it parses as the URL it is without a new pass.
    const std::size_t prefix = base.parts_.authority.begin + base.parts_.authority.size;
    const std::string_view basePath = base.encodedPath();
    const std::string_view referencePath = part(parts_.path);
    std::string target;
    target.reserve(base.text_.size() + text_.size() + 1);
    target.append(std::string_view(base.text_).substr(0, prefix));
    std::optional<std::string_view> query;
    if (referencePath.empty()) {
        target.append(basePath);
        query = parts_.query ? std::optional(part(*parts_.query)) : base.encodedQuery();
    } else {
        if (referencePath.starts_with('/')) {
            target.append(referencePath);
        } else if (basePath.empty()) {
            target.append("/").append(referencePath);
        } else {
            // RFC 3986, 5.2.3: the reference path after the base path's last "/".
            const auto slash = basePath.rfind('/');
            if (slash != std::string_view::npos) target.append(basePath.substr(0, slash + 1));
            target.append(referencePath);
        }
        // Without a "." the path holds no dot segment to remove.
        if (std::string_view(target).substr(prefix).find('.') != std::string_view::npos) {
            const std::string path = removeDotSegments(std::string_view(target).substr(prefix));
            target.resize(prefix);
            target.append(path);
        }
        if (parts_.query) query = part(*parts_.query);
    }
    URL::Parts parts = base.parts_;
    parts.path = URL::Span{prefix, target.size() - prefix};
    parts.query.reset();
    if (query) {
        target.push_back('?');
        parts.query = URL::Span{target.size(), query->size()};
        target.append(*query);
    }
    if (parts_.fragment) target.append("#").append(part(*parts_.fragment));
    return URL(std::move(target), parts, base.decodedHost_);
}

std::optional<URL> URLComponents::urlWithAuthority(const URL& base) const {
    // The reference brings its own host: only the base's scheme is taken.
    auto reference = viewOf(text_);
    std::string target(base.part(base.parts_.scheme));
    target.append("://").append(toStd(reference.encoded_authority()));
    target.append(removeDotSegments(toStd(reference.encoded_path())));
    if (reference.has_query()) target.append("?").append(toStd(reference.encoded_query()));
    if (reference.has_fragment()) target.append("#").append(toStd(reference.encoded_fragment()));
    return URL::adopt(std::move(target));
}

std::string URLComponents::string() const {
    return text_;
}

}  // namespace corvend::platform
