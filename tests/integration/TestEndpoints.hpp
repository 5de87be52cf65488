#pragma once

#include <boost/describe.hpp>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "CorvendWallet/networking/DefaultErrorProcessor.hpp"
#include "CorvendWallet/networking/Endpoint.hpp"
#include "CorvendWallet/networking/SharedCoders.hpp"

namespace corvend::integration {

inline constexpr std::string_view kPingPath = "digitalwallets/v1/sandbox/ping";
inline constexpr std::string_view kConfigurationPath = "digitalwallets/v1/auth/configurations";
inline constexpr std::string_view kEventsPath = "digitalwallets/v1/events-tracking/errors";

// The sandbox's diagnostics reply.
struct Ping {
    std::string status;
    std::string time;
};
BOOST_DESCRIBE_STRUCT(Ping, (), (status, time))

// A GET of `path` (relative to the base URL) read as T, made as the kit's repositories make
// theirs: shared decoder, default error processor, no body.
template <class T>
Endpoint<T> getEndpoint(std::string_view path, const std::vector<HTTPQueryParam>& query = {}) {
    return Endpoint<T>(path, HTTPMethod::get(), {}, query, EndpointParametersEncoder::empty(),
                       EndpointDecoder<T>::json(sharedResponseDecoder()), defaultErrorProcessor());
}

// A POST of `body` as JSON to `path`, its reply read as T.
template <class T, class Body>
Endpoint<T> postEndpoint(std::string_view path, Body body) {
    return Endpoint<T>(path, HTTPMethod::post(), {}, {},
                       EndpointParametersEncoder::json(std::move(body)),
                       EndpointDecoder<T>::json(sharedResponseDecoder()), defaultErrorProcessor());
}

}  // namespace corvend::integration
