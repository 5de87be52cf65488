#include "platform/app/URLOpener.hpp"

#include <memory>
#include <mutex>

#include "platform/app/DesktopURLOpener.hpp"
#include "platform/async/MainQueue.hpp"
#include "platform/async/OneShot.hpp"
#include "platform/async/ProcessFork.hpp"
#include "platform/foundation/NeverDestroyed.hpp"

namespace corvend::platform {

namespace {

struct InstalledOpener {
    std::mutex mutex;
    std::shared_ptr<URLOpener> opener;  // null: the desktop's
};

InstalledOpener& installed() {
    static NeverDestroyed<InstalledOpener> value;
    return *value;
}

}  // namespace

std::shared_ptr<URLOpener> URLOpener::shared() {
    ProcessFork::checkKitUsable("URLOpener::shared");
    auto& state = installed();
    std::lock_guard lock(state.mutex);
    if (!state.opener) state.opener = DesktopURLOpener::make();
    return state.opener;
}

void URLOpener::setShared(std::shared_ptr<URLOpener> opener) {
    ProcessFork::checkKitUsable("URLOpener::setShared");
    auto& state = installed();
    std::lock_guard lock(state.mutex);
    state.opener = std::move(opener);
}

bool URLOpener::open(const URL& url) {
    ProcessFork::checkKitUsable("URLOpener::open");
    auto answer = std::make_shared<OneShot<bool>>();
    MainQueue::shared().sync(
        [&] { open(url, {}, [answer](bool opened) { answer->resolve(opened); }); });
    return answer->wait();
}

}  // namespace corvend::platform
