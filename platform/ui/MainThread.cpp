#include "platform/ui/MainThread.hpp"

#include <string>

#include "platform/async/MainQueue.hpp"
#include "platform/ui/FatalError.hpp"

namespace corvend::platform::ui {

void requireMainThread([[maybe_unused]] std::string_view what) {
#ifndef NDEBUG
    if (!MainQueue::isMainThread())
        fatalError(std::string(what) + " used off the main thread (the thread that drives " +
                   "MainQueue)");
#endif
}

}  // namespace corvend::platform::ui
