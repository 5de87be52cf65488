#pragma once

#include <mutex>
#include <vector>

namespace corvend::platform::detail {

// Marks close-on-exec the Unix sockets that a libcurl call opens without offering a way to open
// them so: the socket pair by which a multi handle is woken (curl_multi_wakeup). Made before such
// a call and destroyed after it. While it lives, a fork of the process waits (a pthread_atfork
// handler takes the same lock), so no child is made between the opening and the marking.
//
// The new sockets are found as those open after the call and not before it: a Unix socket the
// host's own threads open without close-on-exec during that call would be marked as well.
class CloseOnExecSweep {
  public:
    CloseOnExecSweep();
    ~CloseOnExecSweep();
    CloseOnExecSweep(const CloseOnExecSweep&) = delete;
    CloseOnExecSweep& operator=(const CloseOnExecSweep&) = delete;

  private:
    std::unique_lock<std::mutex> forks_;
    std::vector<int> before_;  // sorted
};

}  // namespace corvend::platform::detail
