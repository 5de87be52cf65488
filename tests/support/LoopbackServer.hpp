#pragma once

// A loopback HTTP server for the transport's tests: records every request reaching it and lets
// handlers park at a gate the test opens; and a way to reserve a loopback port.

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/url/URL.hpp"

namespace corvend::testing {

using platform::URL;

// What the server saw of one request.
struct SeenRequest {
    std::string method;
    httplib::Headers headers;
    int remotePort = -1;
    std::string body;
};

// A loopback HTTP server on an ephemeral port that records every request reaching it. Handlers
// may park at a gate that the test opens (the destructor always does, so teardown never hangs).
// Given a PEM certificate and key, it serves https.
class LoopbackServer {
  public:
    LoopbackServer() : LoopbackServer(std::make_unique<httplib::Server>()) {}
    LoopbackServer(const std::string& certificateFile, const std::string& privateKeyFile)
        : LoopbackServer(std::make_unique<httplib::SSLServer>(certificateFile.c_str(),
                                                              privateKeyFile.c_str())) {}
    // An https server whose TLS context `setUp` prepares (certificate, protocols, ciphers).
    explicit LoopbackServer(const std::function<bool(SSL_CTX&)>& setUp)
        : LoopbackServer(std::make_unique<httplib::SSLServer>(setUp)) {}

  private:
    explicit LoopbackServer(std::unique_ptr<httplib::Server> server)
        : owned_(std::move(server)), server_(*owned_) {
        server_.set_tcp_nodelay(true);
        // A handler released after the client hung up writes to a closed socket.
        std::signal(SIGPIPE, SIG_IGN);
        server_.set_keep_alive_max_count(1000);  // so connection reuse is the client's choice
        server_.set_pre_routing_handler([this](const httplib::Request& request,
                                               httplib::Response&) {
            std::lock_guard lock(mutex_);
            seen_.push_back({request.method, request.headers, request.remote_port, request.body});
            changed_.notify_all();
            return httplib::Server::HandlerResponse::Unhandled;
        });
    }

  public:
    ~LoopbackServer() {
        openGate();
        if (thread_.joinable()) {
            server_.stop();
            thread_.join();
        }
    }

    httplib::Server& routes() { return server_; }  // add routes before start()

    void start() {
        port_ = server_.bind_to_any_port("127.0.0.1");
        ASSERT_GT(port_, 0);
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        // stop() before the accept loop runs would be lost and leave join() waiting.
        while (!server_.is_running()) std::this_thread::yield();
    }

    // With the scheme the server serves unless another is asked for.
    URL url(std::string_view path, std::optional<std::string_view> scheme = std::nullopt) const {
        const std::string_view served = secure() ? "https" : "http";
        return *URL::make(std::string(scheme.value_or(served)) +
                          "://127.0.0.1:" + std::to_string(port_) + std::string(path));
    }

    bool secure() const { return dynamic_cast<const httplib::SSLServer*>(owned_.get()) != nullptr; }

    std::vector<SeenRequest> seen() const {
        std::lock_guard lock(mutex_);
        return seen_;
    }

    // Called by a handler: counts the arrival and waits until the gate opens.
    void park() {
        std::unique_lock lock(mutex_);
        ++parked_;
        changed_.notify_all();
        changed_.wait(lock, [&] { return gateOpen_; });
    }

    void waitUntilParked(int count) {
        std::unique_lock lock(mutex_);
        ASSERT_TRUE(
            changed_.wait_for(lock, std::chrono::seconds(30), [&] { return parked_ >= count; }));
    }

    void openGate() {
        std::lock_guard lock(mutex_);
        gateOpen_ = true;
        changed_.notify_all();
    }

  private:
    std::unique_ptr<httplib::Server> owned_;
    httplib::Server& server_;
    std::thread thread_;
    int port_ = 0;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<SeenRequest> seen_;
    int parked_ = 0;
    bool gateOpen_ = false;
};

// A TCP socket bound to an ephemeral loopback port (and listening if asked); -1 on failure.
inline int bindLoopback(int& port, bool listen) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    auto* generic = reinterpret_cast<sockaddr*>(&address);
    if (fd < 0 || ::bind(fd, generic, length) != 0 || ::getsockname(fd, generic, &length) != 0 ||
        (listen && ::listen(fd, 1) != 0)) {
        ADD_FAILURE() << "cannot reserve a loopback port";
        return fd;
    }
    port = ntohs(address.sin_port);
    return fd;
}

}  // namespace corvend::testing
