#include "CorvendWallet/setup/EventsTrackingEndpoint.hpp"

#include <memory>
#include <utility>

#include "CorvendWallet/networking/DefaultErrorProcessor.hpp"
#include "CorvendWallet/networking/HTTPMethod.hpp"
#include "platform/foundation/NeverDestroyed.hpp"

namespace corvend::EventsTrackingEndpoint {

const platform::JSONEncoder& eventsEncoder() {
    static const platform::NeverDestroyed<platform::JSONEncoder> instance([] {
        platform::JSONEncoder e;
        e.setDateEncodingStrategy(platform::JSONEncoder::DateEncodingStrategy::iso8601);
        return e;
    }());
    return *instance;
}

Endpoint<platform::EmptyResponse> trackError(ErrorEvent document) {
    // Shared, so that copies of the endpoint do not copy the document.
    auto body = std::make_shared<const ErrorEvent>(std::move(document));
    EndpointParametersEncoder parametersEncoder{
        .contentType = std::string("application/json"),
        .encode = [body]() -> std::optional<platform::Data> {
            return eventsEncoder().encode(*body);
        },
    };
    return Endpoint<platform::EmptyResponse>(
        "digitalwallets/v1/events-tracking/errors", HTTPMethod::post(), {}, {},
        std::move(parametersEncoder), EndpointDecoder<platform::EmptyResponse>::empty(),
        defaultErrorProcessor());
}

}  // namespace corvend::EventsTrackingEndpoint
