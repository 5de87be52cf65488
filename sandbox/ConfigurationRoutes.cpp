#include "sandbox/ConfigurationRoutes.hpp"

#include <boost/json/object.hpp>

#include "sandbox/RecordedRequest.hpp"

namespace corvend::sandbox {

namespace {

// The bearer credential of an Authorization value; the scheme name is case-insensitive.
std::optional<std::string_view> bearerToken(std::string_view authorization) {
    constexpr std::string_view kScheme = "Bearer ";
    if (authorization.size() < kScheme.size() ||
        !equalsIgnoringCase(authorization.substr(0, kScheme.size()), kScheme)) {
        return std::nullopt;
    }
    return authorization.substr(kScheme.size());
}

}  // namespace

void addConfigurationRoutes(const RouteContext& context) {
    const auto& options = context.options;
    context.routes.add(
        "GET", "digitalwallets/v1/auth/configurations", [&options](const RouteRequest& request) {
            auto authorization = request.header("Authorization");
            auto token = authorization ? bearerToken(*authorization) : std::nullopt;
            if (!token || *token != options.configurationToken) {
                return Reply::error(
                    401, {.code = "UNAUTHORIZED",
                          .message = authorization ? "The configuration token is not valid."
                                                   : "A configuration token is required."});
            }
            boost::json::object screening{{"organizationId", options.organizationId},
                                          {"screenHost", options.screenHost},
                                          {"sessionExpiry", options.sessionExpiryMilliseconds}};
            return Reply::json(200, boost::json::object{{"deviceScreening", screening}});
        });
}

}  // namespace corvend::sandbox
