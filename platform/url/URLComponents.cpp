#include "platform/url/URLComponents.hpp"

#include <boost/url/encode.hpp>
#include <boost/url/encoding_opts.hpp>
#include <boost/url/parse.hpp>
#include <boost/url/rfc/unreserved_chars.hpp>
#include <boost/url/url.hpp>
#include <boost/url/url_view.hpp>
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

// RFC 3986, 5.2.3: the reference path appended to the path of a base that has an authority.
std::string mergePaths(std::string_view basePath, std::string_view referencePath) {
    if (basePath.empty()) return "/" + std::string(referencePath);
    const auto slash = basePath.rfind('/');
    std::string merged(slash == std::string_view::npos ? std::string_view{}
                                                       : basePath.substr(0, slash + 1));
    merged.append(referencePath);
    return merged;
}

}  // namespace

std::optional<URLComponents> URLComponents::parse(std::string_view text) {
    auto parsed =
        boost::urls::parse_uri_reference(boost::urls::string_view(text.data(), text.size()));
    if (!parsed) return std::nullopt;
    // Boost.URL 1.81 ends a port at its first non-digit and takes the rest as the path
    // ("h:12a/" as port 12, path "a/"); after an authority the path must start with "/".
    if (parsed->has_authority() && !parsed->encoded_path().empty() &&
        !parsed->encoded_path().starts_with('/')) {
        return std::nullopt;
    }
    return URLComponents(std::string(text));
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
}

std::optional<URL> URLComponents::url(const URL& base) const {
    auto reference = viewOf(text_);
    if (reference.has_scheme()) return URL::make(text_);

    // RFC 3986, 5.2.2, with the reference's scheme known to be undefined; the base's parts
    // are read from what it kept when it was made.
    std::string target(base.part(base.parts_.scheme));
    target.push_back(':');
    std::string path;
    std::optional<std::string_view> query;
    const auto referencePath = toStd(reference.encoded_path());
    if (reference.has_authority()) {
        target.append("//").append(toStd(reference.encoded_authority()));
        path = removeDotSegments(referencePath);
        if (reference.has_query()) query = toStd(reference.encoded_query());
    } else {
        target.append("//").append(base.authority());
        if (referencePath.empty()) {
            path = base.encodedPath();
            if (reference.has_query()) {
                query = toStd(reference.encoded_query());
            } else {
                query = base.encodedQuery();
            }
        } else {
            path = removeDotSegments(referencePath.starts_with('/')
                                         ? std::string(referencePath)
                                         : mergePaths(base.encodedPath(), referencePath));
            if (reference.has_query()) query = toStd(reference.encoded_query());
        }
    }
    target.append(path);
    if (query) target.append("?").append(*query);
    if (reference.has_fragment()) target.append("#").append(toStd(reference.encoded_fragment()));
    return URL::adopt(std::move(target));
}

std::string URLComponents::string() const {
    return text_;
}

}  // namespace corvend::platform
