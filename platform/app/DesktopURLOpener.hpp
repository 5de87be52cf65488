#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/app/URLOpener.hpp"

namespace corvend::platform {

// The Linux desktop's opener: runs the desktop's URL handler ("xdg-open <url>", found on
// PATH) as a child process, never through a shell, and answers true only when it exits with
// status 0. The child holds standard input, output and error only. Options are ignored. The
// child is waited for on a thread of its own.
class DesktopURLOpener final : public URLOpener {
  public:
    // `command` is the handler and its leading arguments; the URL is appended as the last one.
    static std::shared_ptr<DesktopURLOpener> make(std::vector<std::string> command = {"xdg-open"});

    explicit DesktopURLOpener(std::vector<std::string> command) : command_(std::move(command)) {}

    using URLOpener::open;
    void open(const URL& url, const Options& options,
              std::function<void(bool opened)> completion) override;

  private:
    std::vector<std::string> command_;
};

}  // namespace corvend::platform
