#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include "RecordedRequest.hpp"
#include "Reply.hpp"
#include "TLSContext.hpp"

namespace corvend::sandbox {

// An HTTP/1.1 server, over TLS when given a context, on 127.0.0.1 that hands every request,
// whatever its method and path, to one dispatch function. Connections are served on their own
// threads; `stop()` ends idle keep-alive connections at once instead of waiting out their time-out.
//
// `start()` and `stop()` must not run concurrently with each other.
class LoopbackServer {
  public:
    // Answers one request (its `correlationId` is unset). Runs on a serving thread, possibly
    // several at once, and may block (the connection waits).
    using Dispatch = std::function<Reply(RecordedRequest)>;

    // Builds the reply to a request the server rejects before dispatch (malformed request line
    // or headers, target too long, ...), given the status it chose.
    using Rejection = std::function<Reply(int status)>;

    LoopbackServer(Dispatch dispatch, Rejection rejection, std::size_t maxThreads,
                   std::unique_ptr<TLSContext> tls = nullptr);

    // Stops the server if it still runs.
    ~LoopbackServer();

    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    // Binds 127.0.0.1:`port` (0 = an ephemeral port), starts serving and returns the bound port
    // once connections are being accepted. Throws std::runtime_error when binding fails and
    // std::logic_error when called twice.
    std::uint16_t start(std::uint16_t port);

    // How long a kept connection may wait for its next request before the server closes it (5 s
    // unless set); set before start().
    void setIdleConnectionLimit(std::chrono::milliseconds limit);

    // Stops accepting, closes every connection once its current reply is written and returns
    // when no serving thread is left. Idempotent; the server cannot be started again.
    void stop();

  private:
    class Engine;

    std::unique_ptr<Engine> engine_;
    std::thread listener_;
    std::atomic<bool> listenerDone_{false};
    bool started_ = false;
};

}  // namespace corvend::sandbox
