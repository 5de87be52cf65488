#pragma once

#include <string>
#include <utility>

namespace corvend::model {

// Which of the wallet service's deployments the kit talks to.
enum class APIEnvironment { production, test };

// What the host configures the kit with.
struct Configuration {
    // The production and test API base URLs: absolute https addresses ending in "/".
    static constexpr const char* productionBaseURL = "https://api.corvend.example/";
    static constexpr const char* testBaseURL = "https://api.test.corvend.example/";

    // A base URL of the host's choosing (e.g. a local sandbox). Configure takes an absolute http
    // or https URL whose path is empty (taken as "/") or ends in "/", with no query or fragment,
    // and fails with "C0001" otherwise: endpoint paths are appended to the base URL's path, so
    // "https://host/api" would lose "api" ("https://host/api/" is meant).
    Configuration(std::string token, std::string url)
        : configToken(std::move(token)), baseURL(std::move(url)) {}

    // The base URL of `apiEnvironment`.
    Configuration(std::string token, APIEnvironment apiEnvironment)
        : configToken(std::move(token)),
          baseURL(apiEnvironment == APIEnvironment::production ? productionBaseURL : testBaseURL) {}

    std::string configToken;
    std::string baseURL;
};

}  // namespace corvend::model
