#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>

namespace corvend::testing {

// A loopback TCP listener on an ephemeral port that answers every connection with scripted
// bytes, for replies an HTTP server library will not send (broken framing, resets, drips).
// Connections are served one at a time, each after its request head has been read.
class FaultServer {
  public:
    // What follows the reply bytes.
    enum class Then {
        close,     // an orderly close
        reset,     // an abortive close (RST)
        holdOpen,  // silence until the client goes away
        drip,      // one byte of `drip` every `dripEvery` until the client goes away
    };
    struct Script {
        std::string reply;
        Then then = Then::close;
        std::string drip{};
        std::chrono::milliseconds dripEvery{250};
    };

    explicit FaultServer(Script script);
    ~FaultServer();  // stops serving, ending a held connection

    FaultServer(const FaultServer&) = delete;
    FaultServer& operator=(const FaultServer&) = delete;

    // "http://127.0.0.1:<port>/".
    std::string baseURL() const;
    // Connections accepted so far.
    int accepted() const { return accepted_; }

  private:
    void serve();
    void answer(int client);
    // Waits up to `ms` (forever when negative); false when the client stirred or the server
    // is stopping before then.
    bool quietFor(int client, int ms);

    Script script_;
    int listener_ = -1;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::uint16_t port_ = 0;
    std::atomic<int> accepted_{0};
    std::thread thread_;
};

}  // namespace corvend::testing
