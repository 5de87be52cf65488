#include "tests/integration/SandboxTest.hpp"

#include "CorvendWallet/networking/SessionManager.hpp"
#include "platform/http/URLSession.hpp"

namespace corvend::integration {

SandboxTest::SandboxTest() {
    sandbox.start();
}

SandboxTest::~SandboxTest() {
    sandbox.releaseHeld();
}

std::shared_ptr<NetworkManager> SandboxTest::makeManager() const {
    return NetworkManager::make(std::make_shared<SessionManager>(platform::URLSession::make()),
                                enqueuedHeaders);
}

NetworkManagerEnvironment SandboxTest::environment(std::optional<std::string> token) const {
    return {
        .baseURL = *platform::URL::make(sandbox.baseURL()),
        .headers = properties->headers(),
        .accessToken = std::move(token),
        .timeout = 15.0,
    };
}

std::shared_ptr<NetworkManager> SandboxTest::configuredManager(
    std::optional<std::string> token) const {
    auto manager = makeManager();
    manager->setEnvironment(environment(std::move(token)));
    return manager;
}

std::optional<std::string> SandboxTest::lastRecordedCorrelationId() const {
    const auto requests = sandbox.requests();
    if (requests.empty()) return std::nullopt;
    return requests.back().correlationId;
}

}  // namespace corvend::integration
