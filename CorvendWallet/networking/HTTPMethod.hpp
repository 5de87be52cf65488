#pragma once

#include <string>

namespace corvend {

// The method word of a request, kept exactly as given (no validation, no case folding).
struct HTTPMethod {
    std::string rawValue;

    // The four methods the kit sends; each made once, on first use, and never destroyed, as
    // requests still running while the process exits read them.
    static const HTTPMethod& get();
    static const HTTPMethod& post();
    static const HTTPMethod& patch();
    static const HTTPMethod& delete_();
};

}  // namespace corvend
