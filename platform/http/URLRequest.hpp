#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/foundation/Data.hpp"
#include "platform/url/URL.hpp"

namespace corvend::platform {

// Which caches a request may be answered from. Recorded on the request only: the session keeps
// no cache, so every policy reaches the server.
enum class URLRequestCachePolicy {
    useProtocolCachePolicy,
    reloadIgnoringLocalCacheData,
    reloadIgnoringLocalAndRemoteCacheData,
};

// One HTTP request. Header fields are only ever added: adding a value for a name already present
// (compared regardless of case) appends it to the existing value after a ",".
class URLRequest {
  public:
    using Seconds = std::chrono::duration<double>;

    explicit URLRequest(
        URL url, URLRequestCachePolicy cachePolicy = URLRequestCachePolicy::useProtocolCachePolicy,
        Seconds timeoutInterval = Seconds(60));

    const URL& url() const { return url_; }
    URLRequestCachePolicy cachePolicy() const { return cachePolicy_; }
    // The idle time-out: how long connecting, or a stalled transfer, may last.
    Seconds timeoutInterval() const { return timeoutInterval_; }
    void setTimeoutInterval(Seconds t) { timeoutInterval_ = t; }

    const std::string& httpMethod() const { return httpMethod_; }  // "GET" by default
    void setHTTPMethod(std::string method) { httpMethod_ = std::move(method); }

    const std::optional<Data>& httpBody() const { return httpBody_; }
    void setHTTPBody(std::optional<Data> body) { httpBody_ = std::move(body); }

    void addValue(std::string_view value, std::string_view field);
    // addValue() for each entry, in the map's order.
    void addHeaders(const std::map<std::string, std::string>& headers);
    std::optional<std::string> value(std::string_view field) const;
    // In the order first added, with the name as first given.
    const std::vector<std::pair<std::string, std::string>>& allHTTPHeaderFields() const {
        return headers_;
    }

  private:
    URL url_;
    URLRequestCachePolicy cachePolicy_;
    Seconds timeoutInterval_;
    std::string httpMethod_ = "GET";
    std::optional<Data> httpBody_;
    std::vector<std::pair<std::string, std::string>> headers_;
};

}  // namespace corvend::platform
