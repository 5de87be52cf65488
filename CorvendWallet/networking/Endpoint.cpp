#include "CorvendWallet/networking/Endpoint.hpp"

#include <cstddef>

#include "CorvendWallet/networking/HTTPHeaderName.hpp"
#include "platform/foundation/NeverDestroyed.hpp"

namespace corvend {

namespace {

// Far above any of the service's URLs, and below what servers and proxies accept.
constexpr std::size_t kMaximumURLLength = 8 * 1024;

}  // namespace

const EndpointParametersEncoder& EndpointParametersEncoder::empty() {
    static const platform::NeverDestroyed<EndpointParametersEncoder> encoder(
        EndpointParametersEncoder{
            .contentType = std::nullopt,
            .encode = []() -> std::optional<platform::Data> { return std::nullopt; },
        });
    return *encoder;
}

std::optional<platform::URLComponents> makeEndpointURLComponents(
    std::string_view path, const std::vector<HTTPQueryParam>& queryParams) {
    auto components = platform::URLComponents::parse(path);
    if (!components || queryParams.empty()) return components;
    std::vector<platform::URLQueryItem> items;
    items.reserve(queryParams.size());
    for (const auto& param : queryParams) items.push_back({param.key, param.value});
    components->setQueryItems(std::move(items));
    return components;
}

EndpointBase::EndpointBase(std::string_view path, HTTPMethod httpMethod,
                           std::map<std::string, std::string> httpHeaders,
                           const std::vector<HTTPQueryParam>& queryParams,
                           EndpointParametersEncoder parametersEncoder,
                           EndpointErrorProcessor errorProcessor)
    : httpMethod_(std::move(httpMethod)),
      httpHeaders_(std::move(httpHeaders)),
      parametersEncoder_(std::move(parametersEncoder)),
      errorProcessor_(std::move(errorProcessor)),
      urlComponents_(makeEndpointURLComponents(path, queryParams)) {}

platform::URLRequest EndpointBase::urlRequest(const platform::URL& baseURL) const {
    auto url = urlComponents_ ? urlComponents_->url(baseURL) : std::nullopt;
    if (!url || url->absoluteString().size() > kMaximumURLLength) {
        throw EndpointError::invalidURL();
    }

    platform::URLRequest request(
        std::move(*url), platform::URLRequestCachePolicy::reloadIgnoringLocalAndRemoteCacheData,
        platform::URLRequest::Seconds(60.0));
    request.setHTTPMethod(httpMethod_.rawValue);
    request.addHeaders(httpHeaders_);
    if (parametersEncoder_.contentType) {
        request.setHTTPBody(parametersEncoder_.encode());
        request.addValue(*parametersEncoder_.contentType, HTTPHeaderName::contentType);
    }
    return request;
}

std::string EndpointBase::urlText() const {
    return urlComponents_ ? urlComponents_->string() : std::string();
}

}  // namespace corvend
