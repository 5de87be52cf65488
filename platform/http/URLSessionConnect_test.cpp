#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <string_view>

#include "platform/http/URLError.hpp"
#include "platform/http/URLSession.hpp"
#include "tests/support/FaultServer.hpp"
#include "tests/support/SilentListener.hpp"
#include "tests/support/SteeredLookups.hpp"

namespace corvend::platform {
namespace {

using namespace std::chrono_literals;

using corvend::platform::testing::kAddressesDomain;
using corvend::testing::FaultServer;
using corvend::testing::SilentListener;

// A service whose name gives several addresses, the first ones dead, reaches the live one
// within the request's time-out: each address gets a share of it.
TEST(URLSessionConnectTest, ADeadAddressNeverHidesALiveOne) {
    FaultServer live({"HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok"});
    const auto port = static_cast<std::uint16_t>(
        std::stoi(live.baseURL().substr(std::string_view("http://127.0.0.1:").size())));
    const SilentListener first("127.0.0.2", port);
    const SilentListener second("127.0.0.3", port);
    const auto session = URLSession::make();
    for (const char* addresses : {"127-0-0-2_127-0-0-1", "127-0-0-3_127-0-0-2_127-0-0-1"}) {
        SCOPED_TRACE(addresses);
        const URLRequest request(
            *URL::make("http://" + std::string(addresses) + std::string(kAddressesDomain) + ":" +
                       std::to_string(port) + "/"),
            URLRequestCachePolicy::useProtocolCachePolicy, 2s);
        try {
            EXPECT_EQ(session->data(request).first.view(), "ok");
        } catch (const URLError& error) {
            ADD_FAILURE() << error.description();
        }
    }
}

}  // namespace
}  // namespace corvend::platform
