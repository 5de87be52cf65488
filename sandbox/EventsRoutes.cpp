#include "EventsRoutes.hpp"

#include <boost/json/parse.hpp>

namespace corvend::sandbox {

void addEventsRoutes(const RouteContext& context, RecordLog<boost::json::value>& events) {
    context.routes.add(
        "POST", "digitalwallets/v1/events-tracking/errors", [&events](const RouteRequest& request) {
            boost::system::error_code error;
            auto event = boost::json::parse(request.request.body, error);
            if (error || !event.is_object()) {
                return Reply::error(400, {.code = "BAD_REQUEST",
                                          .message = "The event is not valid.",
                                          .fieldErrors = {{"body", "must be a JSON object"}}});
            }
            const auto* name = event.as_object().if_contains("eventName");
            if (name == nullptr || !name->is_string()) {
                return Reply::error(
                    400, {.code = "BAD_REQUEST",
                          .message = "The event is not valid.",
                          .fieldErrors = {{"eventName",
                                           name == nullptr ? "is required" : "must be a string"}}});
            }
            events.append(std::move(event));
            return Reply::empty(202);
        });
}

}  // namespace corvend::sandbox
