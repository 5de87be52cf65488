#include "CorvendWallet/core/setup/EventsTrackingEndpoint.hpp"

#include <gtest/gtest.h>

#include "tests/support/WalletErrorMatchers.hpp"

namespace corvend {
namespace {

using model::WalletError;
using testing::ThrowsWalletError;

TEST(EventsTrackingEndpointTest, AnyReplyBodyIsAcceptedUnreadAndFailuresAreTheDefaultOnes) {
    const auto endpoint = EventsTrackingEndpoint::trackError({});
    for (const auto& body : {std::optional<platform::Data>(), std::optional(platform::Data("")),
                             std::optional(platform::Data("not json"))}) {
        EXPECT_NO_THROW(endpoint.responseDecoder().decode(body));
    }

    const platform::HTTPURLResponse expired(*platform::URL::make("https://wallet.example/x"), 401,
                                            {{"x-internal-correlation-id", "id-1"}});
    EXPECT_THAT([&] { endpoint.errorProcessor().processError(expired, std::nullopt); },
                ThrowsWalletError(WalletError::tokenExpired("id-1")));
}

}  // namespace
}  // namespace corvend
