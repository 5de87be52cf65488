#pragma once

#include <functional>
#include <vector>

#include "platform/app/URLOpener.hpp"
#include "platform/async/MainQueue.hpp"
#include "platform/url/URL.hpp"

namespace corvend::testing {

// Opens nothing in place of the browser: records each address it is asked to open, and whether
// it was asked on the main thread, and answers `answer`. Read it once the opening returned.
class RecordingURLOpener final : public platform::URLOpener {
  public:
    using URLOpener::open;
    void open(const platform::URL& url, const Options&,
              std::function<void(bool)> completion) override {
        opened.push_back(url);
        onMain = platform::MainQueue::isMainThread();
        completion(answer);
    }

    bool answer = true;
    bool onMain = false;
    std::vector<platform::URL> opened;
};

}  // namespace corvend::testing
