#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/url/URL.hpp"

namespace corvend::platform {

// Opens addresses outside the program (the desktop's browser). Shared as std::shared_ptr. In a
// child of fork made after the kit began to be made, shared(), setShared() and the waiting
// open() throw std::logic_error at once (see ProcessFork.hpp).
class URLOpener {
  public:
    using Options = std::map<std::string, std::string>;

    virtual ~URLOpener() = default;

    // Asks the system to open `url`. Called on the main thread; returns at once and calls
    // `completion` once, on any thread, with whether the system reports the address opened.
    virtual void open(const URL& url, const Options& options,
                      std::function<void(bool opened)> completion) = 0;

    // open() with no options, called on the main thread (inline when already there), waiting
    // for its answer. Never call it from a job of the main queue whose opener answers there.
    bool open(const URL& url);

    // The application's opener, which the kit opens addresses with: the desktop's
    // (DesktopURLOpener) unless the application installed its own, as a program without a
    // desktop browser does to show pages itself. Safe from any thread; the kit reads it when it
    // makes the service that opens pages, so install it before the first call of that service.
    static std::shared_ptr<URLOpener> shared();
    // Installs `opener` as the application's; null restores the desktop's.
    static void setShared(std::shared_ptr<URLOpener> opener);

  protected:
    URLOpener() = default;
    URLOpener(const URLOpener&) = default;
    URLOpener& operator=(const URLOpener&) = default;
};

}  // namespace corvend::platform
