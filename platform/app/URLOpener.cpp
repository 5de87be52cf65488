#include "platform/app/URLOpener.hpp"

#include <memory>

#include "platform/async/MainQueue.hpp"
#include "platform/async/OneShot.hpp"

namespace corvend::platform {

bool URLOpener::open(const URL& url) {
    auto answer = std::make_shared<OneShot<bool>>();
    MainQueue::shared().sync(
        [&] { open(url, {}, [answer](bool opened) { answer->resolve(opened); }); });
    return answer->wait();
}

}  // namespace corvend::platform
