#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <utility>

#include "platform/foundation/Data.hpp"
#include "platform/http/URLRequest.hpp"
#include "platform/http/URLResponse.hpp"

namespace corvend::platform {

// Settings of a session. The ephemeral configuration keeps nothing between runs: no cookies,
// no cache, no credentials.
struct URLSessionConfiguration {
    static URLSessionConfiguration ephemeral() { return {}; }
    // PEM bundle of trusted authorities. Empty: the file named by SSL_CERT_FILE when that is set
    // (read once, when the process makes its first session), else the system's bundle. Either
    // way the directory of authorities is SSL_CERT_DIR's when that is set, else the system's,
    // beside the bundle (an empty SSL_CERT_FILE or SSL_CERT_DIR: none).
    std::string caBundlePath;
    // Caps a whole transfer, however steadily bytes arrive, and ends it with
    // URLError::timedOut; the request's own timeoutInterval is the idle time-out.
    URLRequest::Seconds timeoutIntervalForResource = URLRequest::Seconds(7 * 24 * 60 * 60);
    // The largest reply body accepted. A larger one, announced or streamed, ends the transfer
    // at once with URLError::dataLengthExceedsMaximum and what was read is dropped.
    std::size_t maximumResponseBodyBytes = 16 * 1024 * 1024;
};

// Sends requests over one libcurl multi handle per session. A request that finds the session
// idle is driven on the calling thread while it waits (no thread hand-off); requests that
// arrive meanwhile join it, and whatever is still running when a caller leaves is driven by the
// session's own I/O thread. Connections are reused within a session; only http and https; TLS
// peers are verified; no cookies are kept; redirects are not followed (a 3xx is returned like
// any reply); no proxy is taken from the environment. A request is sent once, but for a read
// (GET, HEAD) whose kept connection had closed before any byte of the reply: that goes once more
// on a new connection. Host names are looked up by detail::HostResolver, never by libcurl.
class URLSession : public std::enable_shared_from_this<URLSession> {
  public:
    // Longer URLs are refused: libcurl cannot build a request line from them.
    static constexpr std::size_t kMaximumURLLength = 64 * 1024;

    // Throws URLError when the session cannot have what it needs: with no descriptor left for
    // its wake-up (without which a cancel would wait for the time-out), the descriptor error a
    // call gets.
    static std::shared_ptr<URLSession> make(
        URLSessionConfiguration configuration = URLSessionConfiguration::ephemeral());
    ~URLSession();  // ends running transfers with URLError::cancelled and stops the I/O thread

    // Sends `request` and blocks until the reply has arrived. Throws URLError for a transport
    // failure (a URL longer than kMaximumURLLength is refused before sending as badURL), and
    // CancellationError at once when the current task is cancelled (the transfer is removed). The
    // reply is an HTTPURLResponse. Never call it on the thread driving MainQueue.
    std::pair<Data, std::shared_ptr<URLResponse>> data(const URLRequest& request);

  private:
    URLSession() = default;
    struct Engine;
    std::shared_ptr<Engine> engine_;
};

}  // namespace corvend::platform
