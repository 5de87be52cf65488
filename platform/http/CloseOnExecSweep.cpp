#include "platform/http/CloseOnExecSweep.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <sys/socket.h>

#include <algorithm>
#include <charconv>
#include <cstring>

#include "platform/foundation/NeverDestroyed.hpp"

namespace corvend::platform::detail {

namespace {

std::mutex& forkLock() {
    static NeverDestroyed<std::mutex> mutex;
    return *mutex;
}

std::mutex& registeredForkLock() {
    static const bool registered = [] {
        return ::pthread_atfork([] { forkLock().lock(); }, [] { forkLock().unlock(); },
                                [] { forkLock().unlock(); }) == 0;
    }();
    (void)registered;
    return forkLock();
}

// Calls `fn` with each descriptor open in the process but the one that lists them; false when
// they cannot be listed. Allocates nothing of its own.
template <class Fn>
bool forEachOpen(Fn&& fn) {
    DIR* folder = ::opendir("/proc/self/fd");
    if (folder == nullptr) return false;
    const int own = ::dirfd(folder);
    while (const dirent* entry = ::readdir(folder)) {
        int fd = -1;
        const char* name = entry->d_name;
        const auto [end, error] = std::from_chars(name, name + std::strlen(name), fd);
        if (error == std::errc() && *end == '\0' && fd != own) fn(fd);
    }
    ::closedir(folder);
    return true;
}

bool isUnixSocket(int fd) noexcept {
    int domain = 0;
    socklen_t size = sizeof domain;
    return ::getsockopt(fd, SOL_SOCKET, SO_DOMAIN, &domain, &size) == 0 && domain == AF_UNIX;
}

}  // namespace

CloseOnExecSweep::CloseOnExecSweep() : forks_(registeredForkLock()) {
    forEachOpen([this](int fd) { before_.push_back(fd); });
    std::ranges::sort(before_);
}

CloseOnExecSweep::~CloseOnExecSweep() {
    forEachOpen([this](int fd) {
        if (std::ranges::binary_search(before_, fd) || !isUnixSocket(fd)) return;
        const int flags = ::fcntl(fd, F_GETFD);
        if (flags >= 0 && (flags & FD_CLOEXEC) == 0) ::fcntl(fd, F_SETFD, flags | FD_CLOEXEC);
    });
}

}  // namespace corvend::platform::detail
