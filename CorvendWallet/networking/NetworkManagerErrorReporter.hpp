#pragma once

#include <functional>
#include <optional>
#include <string>

#include "CorvendWallet/networking/HTTPMethod.hpp"
#include "platform/json/DecodingError.hpp"

namespace corvend {

// Receives the decoding failures of 2xx replies, before the request fails: the failure, the
// reply's correlation identifier, the endpoint's method and its URL text (relative path and
// query). Called on the requesting task; must return without waiting.
struct NetworkManagerErrorReporter {
    using DecodingErrorFunction = std::function<void(
        const platform::DecodingError& error, const std::optional<std::string>& correlationID,
        const HTTPMethod& method, const std::string& url)>;

    DecodingErrorFunction decodingError;

    // The reporter of a manager that was never given one: drops every report.
    static NetworkManagerErrorReporter none() {
        return {[](const platform::DecodingError&, const std::optional<std::string>&,
                   const HTTPMethod&, const std::string&) {}};
    }
};

}  // namespace corvend
