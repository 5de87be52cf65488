#include "CorvendWallet/setup/EventsTrackingEndpoint.hpp"

#include <gtest/gtest.h>

namespace corvend {
namespace {

// A body read as JSON could fail as a decoding error, which would itself be reported as an event.
// Failures need no test of their own: the tracking manager drops every failed post.
TEST(EventsTrackingEndpointTest, AnyReplyBodyIsAcceptedUnread) {
    const auto endpoint = EventsTrackingEndpoint::trackError({});
    for (const auto& body : {std::optional<platform::Data>(), std::optional(platform::Data("")),
                             std::optional(platform::Data("not json"))}) {
        EXPECT_NO_THROW(endpoint.responseDecoder().decode(body));
    }
}

}  // namespace
}  // namespace corvend
