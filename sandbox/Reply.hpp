#pragma once

#include <boost/json/value.hpp>
#include <string>
#include <utility>
#include <vector>

#include "ErrorDocument.hpp"

namespace corvend::sandbox {

// A reply as a route (or a script) produces it, before the server adds its own headers.
struct Reply {
    int status = 200;
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;
    // Content type of `body`; when empty no content type is sent.
    std::string contentType;
    // Close the connection without writing anything.
    bool dropConnection = false;

    // `value` serialized, as "application/json".
    static Reply json(int status, const boost::json::value& value);

    // The service's error document, as "application/json".
    static Reply error(int status, const ErrorDocument& document);

    // No body and no content type.
    static Reply empty(int status);
};

}  // namespace corvend::sandbox
