#include "platform/http/URLError.hpp"

#include <utility>

namespace corvend::platform {

URLError::URLError(Code code, std::string description)
    : code_(code), description_(std::move(description)) {}

}  // namespace corvend::platform
