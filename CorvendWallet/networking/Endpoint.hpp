#pragma once

#include <concepts>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "CorvendWallet/networking/EndpointError.hpp"
#include "CorvendWallet/networking/HTTPMethod.hpp"
#include "CorvendWallet/networking/HTTPQueryParam.hpp"
#include "CorvendWallet/networking/SharedCoders.hpp"
#include "platform/foundation/Data.hpp"
#include "platform/http/URLRequest.hpp"
#include "platform/http/URLResponse.hpp"
#include "platform/json/EmptyResponse.hpp"
#include "platform/json/JSONDecoder.hpp"
#include "platform/url/URLComponents.hpp"

namespace corvend {

// How a request body is made. Without a content type the request has no body and `encode` is
// never called.
struct EndpointParametersEncoder {
    std::optional<std::string> contentType;
    std::function<std::optional<platform::Data>()> encode;

    // No body: every GET and DELETE endpoint. One process-wide value, never destroyed.
    static const EndpointParametersEncoder& empty();

    // A JSON body: `request` as captured now, written with the shared request encoder when the
    // request is built. Encoding failures pass through unchanged.
    template <class Request>
    static EndpointParametersEncoder json(Request request);
};

// Turns a 2xx reply body (absent when the reply had none) into T.
template <class T>
struct EndpointDecoder {
    std::function<T(const std::optional<platform::Data>&)> decode;

    // Fails with EndpointError::noResponse() for an absent body; otherwise decodes the whole
    // body with `decoder`, whose failures pass through unchanged. `decoder` must outlive the
    // endpoint: the kit only passes the process-wide shared decoder.
    static EndpointDecoder json(const platform::JSONDecoder& decoder);

    // Reads nothing and always succeeds.
    static EndpointDecoder empty() requires std::same_as<T, platform::EmptyResponse>;
};

// Turns a non-2xx reply into the error to raise: `processError` always throws.
struct EndpointErrorProcessor {
    std::function<void(const platform::HTTPURLResponse&, const std::optional<platform::Data>&)>
        processError;
};

// Parses `path` as a URL reference and, when there are parameters, sets them as the query
// items in order (duplicates kept), replacing any query the path carried. Absent when the path
// does not parse; the parameters are then dropped.
std::optional<platform::URLComponents> makeEndpointURLComponents(
    std::string_view path, const std::vector<HTTPQueryParam>& queryParams);

// What every endpoint holds whatever its reply type: the request side and the error processor.
// The request pipeline works on this part alone; only reading a 2xx reply needs T.
class EndpointBase {
  public:
    const HTTPMethod& httpMethod() const { return httpMethod_; }
    const std::map<std::string, std::string>& httpHeaders() const { return httpHeaders_; }
    const EndpointParametersEncoder& parametersEncoder() const { return parametersEncoder_; }
    const EndpointErrorProcessor& errorProcessor() const { return errorProcessor_; }
    // Absent when the path text was not a valid URL reference.
    const std::optional<platform::URLComponents>& urlComponents() const { return urlComponents_; }

    // The request without the manager's environment: the URL (components with a host stand
    // alone, others are resolved against `baseURL`), caches ignored, a 60 s time-out, the
    // method, the endpoint's headers, and the body with its "Content-Type" when the encoder
    // has a content type. Throws EndpointError::invalidURL() when no URL can be formed or its
    // text is longer than the kit sends (8 KiB), and whatever the body encoder throws.
    platform::URLRequest urlRequest(const platform::URL& baseURL) const;

    // The components' text form ("digitalwallets/v1/x?limit=10"), or "" without components:
    // how error reports name the endpoint.
    std::string urlText() const;

  protected:
    EndpointBase(std::string_view path, HTTPMethod httpMethod,
                 std::map<std::string, std::string> httpHeaders,
                 const std::vector<HTTPQueryParam>& queryParams,
                 EndpointParametersEncoder parametersEncoder,
                 EndpointErrorProcessor errorProcessor);

  private:
    HTTPMethod httpMethod_;
    std::map<std::string, std::string> httpHeaders_;
    EndpointParametersEncoder parametersEncoder_;
    EndpointErrorProcessor errorProcessor_;
    std::optional<platform::URLComponents> urlComponents_;
};

// The description of one REST call whose reply is read as T. Never changed once made; copies
// share the captured encoder, decoder and request value.
template <class T>
class Endpoint : public EndpointBase {
  public:
    Endpoint(std::string_view path, HTTPMethod httpMethod,
             std::map<std::string, std::string> httpHeaders,
             const std::vector<HTTPQueryParam>& queryParams,
             EndpointParametersEncoder parametersEncoder, EndpointDecoder<T> responseDecoder,
             EndpointErrorProcessor errorProcessor)
        : EndpointBase(path, std::move(httpMethod), std::move(httpHeaders), queryParams,
                       std::move(parametersEncoder), std::move(errorProcessor)),
          responseDecoder_(std::move(responseDecoder)) {}

    const EndpointDecoder<T>& responseDecoder() const { return responseDecoder_; }

  private:
    EndpointDecoder<T> responseDecoder_;
};

template <class Request>
EndpointParametersEncoder EndpointParametersEncoder::json(Request request) {
    return EndpointParametersEncoder{
        .contentType = std::string("application/json"),
        .encode = [request = std::move(request)]() -> std::optional<platform::Data> {
            return sharedRequestEncoder().encode(request);
        },
    };
}

template <class T>
EndpointDecoder<T> EndpointDecoder<T>::json(const platform::JSONDecoder& decoder) {
    return EndpointDecoder{
        .decode = [&decoder](const std::optional<platform::Data>& body) -> T {
            if (!body) throw EndpointError::noResponse();
            return decoder.decode<T>(*body);
        },
    };
}

template <class T>
EndpointDecoder<T> EndpointDecoder<T>::empty() requires std::same_as<T, platform::EmptyResponse> {
    return EndpointDecoder{
        .decode = [](const std::optional<platform::Data>&) { return platform::EmptyResponse{}; },
    };
}

}  // namespace corvend
