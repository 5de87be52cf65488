#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/url/URL.hpp"

namespace corvend::platform {

// A reply of any protocol. Only HTTPURLResponse is ever produced by URLSession; the base type
// exists so that code handling replies can meet (and tests can build) one that is not HTTP.
class URLResponse {
  public:
    explicit URLResponse(URL url) : url_(std::move(url)) {}
    virtual ~URLResponse() = default;
    const URL& url() const { return url_; }

  private:
    URL url_;
};

// The reply to an HTTP request: its status and its header fields. Names are stored lower-cased
// (as HTTP/2 carries them), so an exact lookup in allHeaderFields() finds a field whatever case
// the server wrote; names that differ only in case are joined into one field with ", ".
// Immutable once made.
class HTTPURLResponse;

namespace detail {
// For URLSession, whose reply header parser lower-cases and joins the names already.
std::shared_ptr<HTTPURLResponse> makeFoldedHTTPURLResponse(
    URL url, int statusCode, std::map<std::string, std::string> lowerCasedHeaders);
}  // namespace detail

class HTTPURLResponse : public URLResponse {
    struct Folded {
        explicit Folded() = default;
    };
    friend std::shared_ptr<HTTPURLResponse> detail::makeFoldedHTTPURLResponse(
        URL, int, std::map<std::string, std::string>);

  public:
    HTTPURLResponse(URL url, int statusCode, std::map<std::string, std::string> headers);
    // Only through detail::makeFoldedHTTPURLResponse: the names need no folding.
    HTTPURLResponse(Folded, URL url, int statusCode,
                    std::map<std::string, std::string> lowerCasedHeaders)
        : URLResponse(std::move(url)),
          statusCode_(statusCode),
          headers_(std::move(lowerCasedHeaders)) {}

    int statusCode() const { return statusCode_; }
    const std::map<std::string, std::string>& allHeaderFields() const { return headers_; }
    // Looks `field` up regardless of case.
    std::optional<std::string> value(std::string_view field) const;

  private:
    int statusCode_;
    std::map<std::string, std::string> headers_;
};

}  // namespace corvend::platform
