// A fork made while other threads make sessions copies none of their wake-up sockets before the
// kit has marked them close-on-exec, so a program the child execs never holds one.

#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <charconv>
#include <cstring>
#include <thread>

#include "platform/http/URLSession.hpp"

namespace corvend::platform {
namespace {

std::atomic<bool> watching{false};
std::atomic<int> unmarkedAtFork{0};

// Whether the process holds a Unix socket that a program exec'd by a child would keep.
bool holdsUnmarkedUnixSocket() {
    DIR* folder = ::opendir("/proc/self/fd");
    if (folder == nullptr) return false;
    bool found = false;
    while (const dirent* entry = ::readdir(folder)) {
        int fd = -1;
        const char* name = entry->d_name;
        const auto [end, error] = std::from_chars(name, name + std::strlen(name), fd);
        if (error != std::errc() || *end != '\0' || fd == ::dirfd(folder)) continue;
        int domain = 0;
        socklen_t size = sizeof domain;
        const bool unixSocket =
            ::getsockopt(fd, SOL_SOCKET, SO_DOMAIN, &domain, &size) == 0 && domain == AF_UNIX;
        if (unixSocket && (::fcntl(fd, F_GETFD) & FD_CLOEXEC) == 0) found = true;
    }
    ::closedir(folder);
    return found;
}

// Registered before main, so before the kit's own fork handler: prepare handlers run last
// registered first, so this one runs after the kit's and sees the process as the fork copies it.
[[gnu::constructor]] void watchForks() {
    ::pthread_atfork(
        [] {
            if (watching && holdsUnmarkedUnixSocket()) unmarkedAtFork.fetch_add(1);
        },
        nullptr, nullptr);
}

TEST(CloseOnExecSweepTest, NoForkCopiesAWakeUpSocketBeforeTheKitMarksIt) {
    constexpr int kForks = 60;
    watching = true;
    std::atomic<bool> forking{true};
    std::atomic<int> sessions{0};
    std::thread maker([&] {
        while (forking) {
            (void)URLSession::make();
            sessions.fetch_add(1);
        }
    });
    for (int fork = 0; fork < kForks; ++fork) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) ::_exit(0);
        ::waitpid(child, nullptr, 0);
    }
    forking = false;
    maker.join();
    watching = false;
    EXPECT_EQ(unmarkedAtFork.load(), 0)
        << "of " << kForks << " forks beside " << sessions << " sessions made";
}

}  // namespace
}  // namespace corvend::platform
