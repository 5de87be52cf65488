#pragma once

#include <string_view>
#include <utility>
#include <vector>

#include "CorvendWallet/networking/DefaultErrorProcessor.hpp"
#include "CorvendWallet/networking/Endpoint.hpp"
#include "CorvendWallet/networking/HTTPMethod.hpp"
#include "CorvendWallet/networking/SharedCoders.hpp"

namespace corvend {

// The two shapes of a service's REST call. Both have no headers of their own, read a 2xx reply
// as T with the shared decoder (no body is EndpointError::noResponse) and map other replies with
// the default error processor. Each call makes a fresh endpoint.

// GET of `path` (relative to the base URL) with `query` in order; no body.
template <class T>
Endpoint<T> jsonGetEndpoint(std::string_view path, const std::vector<HTTPQueryParam>& query = {}) {
    return Endpoint<T>(path, HTTPMethod::get(), {}, query, EndpointParametersEncoder::empty(),
                       EndpointDecoder<T>::json(sharedResponseDecoder()), defaultErrorProcessor());
}

// POST of `path` with `body` as its "application/json" body, written by the shared request
// encoder when the request is built.
template <class T, class Body>
Endpoint<T> jsonPostEndpoint(std::string_view path, Body body) {
    return Endpoint<T>(path, HTTPMethod::post(), {}, {},
                       EndpointParametersEncoder::json(std::move(body)),
                       EndpointDecoder<T>::json(sharedResponseDecoder()), defaultErrorProcessor());
}

}  // namespace corvend
