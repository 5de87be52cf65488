#pragma once

#include <curl/curl.h>

#include <chrono>

namespace corvend::platform::detail {

// A request's time-out as an idle one: it runs from the start and restarts whenever a byte
// moves, either way (a connection made, a header line, body bytes sent or received), so a
// slow reply that keeps moving is never cut by it.
class IdleDeadline {
  public:
    using Clock = std::chrono::steady_clock;

    explicit IdleDeadline(Clock::duration limit) : limit_(limit), last_(Clock::now()) {}

    void moved() noexcept { last_ = Clock::now(); }

    // CURLOPT_XFERINFOFUNCTION; `deadline` is the IdleDeadline (CURLOPT_XFERINFODATA). Counts
    // body bytes both ways; never stops the transfer.
    static int onProgress(void* deadline, curl_off_t, curl_off_t received, curl_off_t,
                          curl_off_t sent) noexcept;

    Clock::time_point when() const noexcept { return last_ + limit_; }

  private:
    Clock::duration limit_;
    Clock::time_point last_;
    curl_off_t counted_ = 0;  // body bytes received and sent so far
};

}  // namespace corvend::platform::detail
