#pragma once

#include <string>

namespace corvend::model {

// What a successful configure yields.
struct ConfigurationResult {
    std::string digitalFingerprint;
    friend bool operator==(const ConfigurationResult&, const ConfigurationResult&) = default;
};

}  // namespace corvend::model
