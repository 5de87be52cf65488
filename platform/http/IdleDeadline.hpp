#pragma once

#include <curl/curl.h>

#include <chrono>

namespace corvend::platform::detail {

// A request's time-out as an idle one: it runs from the start and restarts whenever a byte
// moves, either way (a connection made, a header line, body bytes received, body bytes handed
// to the system, and body bytes the peer takes from the socket's send queue), so a slow reply or
// upload that keeps moving is never cut by it.
class IdleDeadline {
  public:
    using Clock = std::chrono::steady_clock;

    explicit IdleDeadline(Clock::duration limit) : limit_(limit), last_(Clock::now()) {}

    void moved() noexcept { last_ = Clock::now(); }

    // CURLOPT_XFERINFOFUNCTION; `deadline` is the IdleDeadline (CURLOPT_XFERINFODATA). Counts
    // body bytes both ways; never stops the transfer.
    static int onProgress(void* deadline, curl_off_t, curl_off_t received, curl_off_t sendTotal,
                          curl_off_t sent) noexcept;

    // Called by the driver for `easy`, the transfer's handle: from the body's first byte handed
    // to the system until the peer has taken it all, looks at the connection's send queue every
    // tenth of the time-out and counts its fall as bytes moving. Returns when the driver is next
    // to call it.
    Clock::time_point check(CURL* easy, Clock::time_point now) noexcept {
        if (!watching_) return when();
        if (now >= nextLook_ || now >= when()) look(easy, now);
        return watching_ && nextLook_ < when() ? nextLook_ : when();
    }

    Clock::time_point when() const noexcept { return last_ + limit_; }

    // Whether the peer sent bytes, past the first tenth of the time-out since it last restarted
    // (a TLS session ticket may follow the connection made), that moved nothing: part of a
    // header line. For a time-out's words.
    bool partReceived(CURL* easy, Clock::time_point now) noexcept;

  private:
    bool findSocket(CURL* easy) noexcept;
    void look(CURL* easy, Clock::time_point now) noexcept;

    Clock::duration limit_;
    Clock::time_point last_;
    curl_off_t counted_ = 0;  // body bytes received and sent so far
    // Part of the body is handed to the system and the peer may not have taken it all yet.
    bool watching_ = false;
    bool sending_ = false;     // some of the body handed over, on this attempt
    bool handedOver_ = false;  // the whole body, on this attempt
    Clock::time_point nextLook_{};
    int socket_ = -1;  // the connection's, once found
    int queued_ = 0;   // bytes in its send queue at the last look
};

}  // namespace corvend::platform::detail
