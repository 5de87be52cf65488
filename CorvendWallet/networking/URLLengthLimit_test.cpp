#include <gtest/gtest.h>

#include <boost/describe.hpp>
#include <string>
#include <vector>

#include "CorvendWallet/foundation/WalletError.hpp"
#include "CorvendWallet/networking/DefaultErrorProcessor.hpp"
#include "CorvendWallet/networking/NetworkManager.hpp"
#include "platform/http/URLError.hpp"
#include "tests/support/RecordingSession.hpp"
#include "tests/support/WalletErrorMatchers.hpp"

namespace corvend {
namespace {

struct Pong {
    std::string status;
};
BOOST_DESCRIBE_STRUCT(Pong, (), (status))

TEST(URLLengthLimitTest, AnOverlongURLIsTheInvalidURLErrorAndIsNeverSent) {
    const std::string id(1024 * 1024, 'i');
    const struct {
        std::string path;
        std::vector<HTTPQueryParam> query;
    } overlong[] = {{"v1/transfers/" + id, {}}, {"v1/transfers", {{"id", id}}}};
    // What reaches the wire is answered with nothing.
    const auto session = std::make_shared<testing::RecordingSession>(
        [](const platform::URLRequest&) -> SessionReply {
            throw platform::URLError(platform::URLError::Code::timedOut, "not answered");
        });
    const auto manager = NetworkManager::make(session, std::make_shared<EnqueuedHeadersProvider>());
    manager->setEnvironment({*platform::URL::make("https://wallet.example/api/"), {}, {}, 15.0});
    for (const auto& [path, query] : overlong) {
        const Endpoint<Pong> endpoint(
            path, HTTPMethod::get(), {}, query, EndpointParametersEncoder::empty(),
            EndpointDecoder<Pong>::json(sharedResponseDecoder()), defaultErrorProcessor());
        EXPECT_THAT(
            [&] { manager->request(endpoint); },
            testing::ThrowsWalletError(model::WalletError::internalError("I0001", std::nullopt)));
    }
    EXPECT_TRUE(session->sent().empty());
    // A long but ordinary identifier still goes out.
    const Endpoint<Pong> ordinary("v1/transfers/" + std::string(4000, 'i'), HTTPMethod::get(), {},
                                  {}, EndpointParametersEncoder::empty(),
                                  EndpointDecoder<Pong>::json(sharedResponseDecoder()),
                                  defaultErrorProcessor());
    EXPECT_THROW(manager->request(ordinary), platform::URLError);
    EXPECT_EQ(session->sent().size(), 1u);
}

}  // namespace
}  // namespace corvend
