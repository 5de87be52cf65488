#pragma once

#include <functional>
#include <optional>
#include <string>

#include "CorvendWallet/networking/Endpoint.hpp"
#include "CorvendWallet/networking/NetworkManagerErrorReporter.hpp"
#include "platform/foundation/Data.hpp"
#include "platform/http/URLResponse.hpp"

namespace corvend {

// The reply's correlation identifier: the "x-internal-correlation-id" header, looked up
// exactly among the reply's lower-cased names.
std::optional<std::string> correlationID(const platform::HTTPURLResponse& response);

// Validates a reply: not an HTTP reply → internalError "I0003" (no errorID); 2xx → `decode`
// runs with the body, and a missing or undecodable body is reported to `reporter` before
// failing with "I0004" or "I0005"; any other status → the endpoint's error processor, whose
// error passes through (one that returns is "I0003"). Every error after an HTTP reply carries
// its correlation identifier.
void validateResponse(const platform::URLResponse* response,
                      const std::optional<platform::Data>& body, const EndpointBase& endpoint,
                      const NetworkManagerErrorReporter& reporter,
                      const std::function<void(const std::optional<platform::Data>&)>& decode);

// validateResponse() with the endpoint's own decoder: the T of a 2xx reply, or the failure.
template <class T>
T decodeResponse(const platform::URLResponse* response, const std::optional<platform::Data>& body,
                 const Endpoint<T>& endpoint, const NetworkManagerErrorReporter& reporter) {
    std::optional<T> value;
    validateResponse(response, body, endpoint, reporter,
                     [&](const std::optional<platform::Data>& data) {
                         value.emplace(endpoint.responseDecoder().decode(data));
                     });
    return std::move(*value);
}

}  // namespace corvend
