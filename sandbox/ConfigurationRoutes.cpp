#include "ConfigurationRoutes.hpp"

#include <boost/json/object.hpp>

#include "RouteHelpers.hpp"

namespace corvend::sandbox {

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
