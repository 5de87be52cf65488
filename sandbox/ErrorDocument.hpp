#pragma once

#include <boost/json/value.hpp>
#include <string>
#include <vector>

namespace corvend::sandbox {

// The service's error body:
// {"error": {"code", "message", "details": [...], "fieldErrors": [{"field", "error"}]}}.
struct ErrorDocument {
    struct FieldError {
        std::string field;
        std::string error;
    };

    std::string code{};
    std::string message{};
    std::vector<std::string> details{};
    std::vector<FieldError> fieldErrors{};

    // The JSON form; "details" and "fieldErrors" appear only when non-empty.
    boost::json::value toJSON() const;
};

}  // namespace corvend::sandbox
