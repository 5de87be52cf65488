#pragma once

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace corvend::testing {

// While it lives the process has no file descriptor left: its limit is lowered to at most 1024
// and every descriptor under it is taken.
class NoDescriptorsLeft {
  public:
    NoDescriptorsLeft() {
        ::getrlimit(RLIMIT_NOFILE, &limit_);
        rlimit lowered = limit_;
        lowered.rlim_cur = std::min<rlim_t>(limit_.rlim_cur, 1024);
        ::setrlimit(RLIMIT_NOFILE, &lowered);
        taken_.reserve(1024);
        for (int fd; (fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC)) >= 0;) taken_.push_back(fd);
    }
    ~NoDescriptorsLeft() {
        for (int fd : taken_) ::close(fd);
        ::setrlimit(RLIMIT_NOFILE, &limit_);
    }
    NoDescriptorsLeft(const NoDescriptorsLeft&) = delete;
    NoDescriptorsLeft& operator=(const NoDescriptorsLeft&) = delete;

  private:
    rlimit limit_{};
    std::vector<int> taken_;
};

}  // namespace corvend::testing
