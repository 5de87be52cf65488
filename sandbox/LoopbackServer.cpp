#include "LoopbackServer.hpp"

#include <httplib.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>

#include "ElasticTaskQueue.hpp"
#include "TLSContext.hpp"

namespace corvend::sandbox {

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kHost = "127.0.0.1";

// Every request is routed under this one path (see `Engine::Engine`).
constexpr const char* kRoutedPath = "/";

// Longest request head kept for recording headers; httplib refuses longer lines anyway.
constexpr std::size_t kMaxHeadBytes = 64 * 1024;

std::string_view trim(std::string_view text) {
    auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// Header fields of a raw request head, names as sent and in order.
std::vector<std::pair<std::string, std::string>> parseHeaders(std::string_view head) {
    std::vector<std::pair<std::string, std::string>> headers;
    auto end = head.find('\n');  // skip the request line
    while (end != std::string_view::npos) {
        auto start = end + 1;
        end = head.find('\n', start);
        auto line = head.substr(start, end == std::string_view::npos ? head.npos : end - start);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line.empty()) break;
        auto colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        headers.emplace_back(std::string(line.substr(0, colon)),
                             std::string(trim(line.substr(colon + 1))));
    }
    return headers;
}

void socketAddress(int socket, bool peer, std::string& ip, int& port) {
    sockaddr_storage address{};
    socklen_t length = sizeof(address);
    auto* raw = reinterpret_cast<sockaddr*>(&address);
    int result = peer ? ::getpeername(socket, raw, &length) : ::getsockname(socket, raw, &length);
    if (result != 0) return;
    std::array<char, NI_MAXHOST> host{};
    std::array<char, NI_MAXSERV> service{};
    if (::getnameinfo(raw, length, host.data(), host.size(), service.data(), service.size(),
                      NI_NUMERICHOST | NI_NUMERICSERV) == 0) {
        ip = host.data();
        port = std::atoi(service.data());
    }
}

// One accepted connection as httplib reads and writes it. Besides buffering, it keeps the raw
// bytes of the current request head (httplib's parsed headers are sorted by name, and the
// sandbox records them as sent) and watches the server's wake-up descriptor so that `stop()`
// interrupts every wait.
class ConnectionStream final : public httplib::Stream {
  public:
    // Over TLS when `tls` is given (its handshake done).
    ConnectionStream(int socket, int wakeFd, std::chrono::microseconds readTimeout,
                     std::chrono::microseconds writeTimeout, TLSContext::Connection* tls = nullptr)
        : socket_(socket),
          wakeFd_(wakeFd),
          readTimeout_(readTimeout),
          writeTimeout_(writeTimeout),
          tls_(tls) {}

    using httplib::Stream::write;

    bool is_readable() const override {
        return buffered() || wait(POLLIN, readTimeout_) == Wait::ready;
    }

    bool is_writable() const override { return wait(POLLOUT, writeTimeout_) == Wait::ready; }

    ssize_t read(char* data, size_t size) override {
        if (offset_ == size_) {
            const ssize_t received = tls_ ? receiveOverTLS() : receive();
            if (received <= 0) return received;
            offset_ = 0;
            size_ = static_cast<std::size_t>(received);
        }
        auto count = std::min(size, size_ - offset_);
        std::memcpy(data, buffer_.data() + offset_, count);
        offset_ += count;
        capture(data, count);
        return static_cast<ssize_t>(count);
    }

    ssize_t write(const char* data, size_t size) override {
        if (dropReply) return -1;
        if (tls_) return sendOverTLS(data, size);
        if (wait(POLLOUT, writeTimeout_) != Wait::ready) return -1;
        ssize_t sent = 0;
        do {
            sent = ::send(socket_, data, size, MSG_NOSIGNAL);
        } while (sent < 0 && errno == EINTR);
        return sent;
    }

    void get_remote_ip_and_port(std::string& ip, int& port) const override {
        socketAddress(socket_, true, ip, port);
    }

    void get_local_ip_and_port(std::string& ip, int& port) const override {
        socketAddress(socket_, false, ip, port);
    }

    socket_t socket() const override { return socket_; }

    // Waits for the next request on a kept-alive connection; false when the client went
    // quiet for `timeout`, or the server stops.
    bool awaitRequest(std::chrono::microseconds timeout) const {
        if (stopping()) return false;
        return buffered() || wait(POLLIN, timeout) == Wait::ready;
    }

    // Resets the per-request state before httplib reads the next request.
    void beginRequest() {
        head_.clear();
        headComplete_ = false;
        dropReply = false;
        closeAfterReply = false;
        decodedPath.clear();
    }

    std::string_view head() const { return head_; }

    bool stopping() const {
        pollfd wake{wakeFd_, POLLIN, 0};
        return ::poll(&wake, 1, 0) > 0;
    }

    // The request's decoded path, moved out of httplib's request before routing.
    std::string decodedPath;

    // Set by the dispatcher: refuse every write so the connection closes with no reply.
    bool dropReply = false;

    // Set for a request refused before dispatch: close once the refusal is written.
    bool closeAfterReply = false;

    // Runs the TLS handshake; false when it fails, times out or the server stops.
    bool acceptTLS() {
        for (;;) {
            switch (tls_->accept()) {
                case TLSContext::Connection::Need::nothing:
                    return true;
                case TLSContext::Connection::Need::read:
                    if (wait(POLLIN, readTimeout_) != Wait::ready) return false;
                    break;
                case TLSContext::Connection::Need::write:
                    if (wait(POLLOUT, writeTimeout_) != Wait::ready) return false;
                    break;
                case TLSContext::Connection::Need::fail:
                    return false;
            }
        }
    }

  private:
    enum class Wait { ready, stopped, timedOut };

    bool buffered() const { return offset_ < size_ || (tls_ && tls_->hasPending()); }

    ssize_t receive() {
        if (wait(POLLIN, readTimeout_) != Wait::ready) return -1;
        ssize_t received = 0;
        do {
            received = ::recv(socket_, buffer_.data(), buffer_.size(), 0);
        } while (received < 0 && errno == EINTR);
        return received;
    }

    // The socket is non-blocking: each attempt that needs the peer waits for it first.
    ssize_t receiveOverTLS() {
        for (;;) {
            auto need = TLSContext::Connection::Need::nothing;
            const long received = tls_->read(buffer_.data(), buffer_.size(), need);
            if (received >= 0 || !waitFor(need)) return received;
        }
    }

    ssize_t sendOverTLS(const char* data, std::size_t size) {
        for (;;) {
            auto need = TLSContext::Connection::Need::nothing;
            const long sent = tls_->write(data, size, need);
            if (sent >= 0 || !waitFor(need)) return sent;
        }
    }

    bool waitFor(TLSContext::Connection::Need need) const {
        switch (need) {
            case TLSContext::Connection::Need::read:
                return wait(POLLIN, readTimeout_) == Wait::ready;
            case TLSContext::Connection::Need::write:
                return wait(POLLOUT, writeTimeout_) == Wait::ready;
            default:
                return false;
        }
    }

    // Waits until the socket is ready for `events`. The socket wins over the wake-up
    // descriptor, so replies released by `stop()` are still written.
    Wait wait(short events, std::chrono::microseconds timeout) const {
        auto deadline = Clock::now() + timeout;
        for (;;) {
            std::array<pollfd, 2> fds{pollfd{socket_, events, 0}, pollfd{wakeFd_, POLLIN, 0}};
            auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
            int result =
                ::poll(fds.data(), fds.size(), static_cast<int>(std::max<long>(left.count(), 0)));
            if (result < 0 && errno == EINTR) continue;
            if (result < 0) return Wait::stopped;
            if (fds[0].revents != 0) return Wait::ready;
            if (fds[1].revents != 0) return Wait::stopped;
            if (Clock::now() >= deadline) return Wait::timedOut;
        }
    }

    void capture(const char* data, std::size_t count) {
        if (headComplete_) return;
        auto from = head_.size() >= 3 ? head_.size() - 3 : 0;
        head_.append(data, count);
        for (std::string_view end : {"\r\n\r\n", "\n\n"}) {
            if (auto at = head_.find(end, from); at != std::string::npos) {
                head_.resize(at + end.size());
                headComplete_ = true;
                return;
            }
        }
        if (head_.size() > kMaxHeadBytes) headComplete_ = true;
    }

    int socket_;
    int wakeFd_;
    std::chrono::microseconds readTimeout_;
    std::chrono::microseconds writeTimeout_;
    std::array<char, 16 * 1024> buffer_{};
    std::size_t offset_ = 0;
    std::size_t size_ = 0;
    std::string head_;
    bool headComplete_ = false;
    TLSContext::Connection* tls_;
};

// OpenSSL writes to a TLS connection's socket with write(), which raises SIGPIPE when the
// client has gone; serving threads keep it blocked so that the write fails with EPIPE instead.
void blockBrokenPipeSignal() {
    thread_local const bool blocked = [] {
        sigset_t broken;
        sigemptyset(&broken);
        sigaddset(&broken, SIGPIPE);
        return ::pthread_sigmask(SIG_BLOCK, &broken, nullptr) == 0;
    }();
    (void)blocked;
}

// The connection being served by this thread; httplib's handlers get no handle on it.
thread_local ConnectionStream* tCurrentConnection = nullptr;

}  // namespace

class LoopbackServer::Engine final : public httplib::Server {
  public:
    Engine(Dispatch dispatch, Rejection rejection, std::size_t maxThreads,
           std::unique_ptr<TLSContext> tls)
        : dispatch_(std::move(dispatch)),
          rejection_(std::move(rejection)),
          tls_(std::move(tls)),
          wakeFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
        if (wakeFd_ < 0) throw std::runtime_error("cannot create the server's wake-up descriptor");
        // Without it every reply on loopback waits for the peer's delayed ACK.
        set_tcp_nodelay(true);
        // Connections are kept until the client or stop() ends them; advertise no small cap.
        set_keep_alive_max_count(100000);
        // httplib's default adds SO_REUSEPORT, which would let a second server share a port
        // that is already taken instead of failing to bind.
        set_socket_options([](socket_t socket) {
            int yes = 1;
            ::setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
        });
        // httplib owns and deletes the queue it gets from this factory.
        new_task_queue = [maxThreads] {
            return std::make_unique<ElasticTaskQueue>(maxThreads).release();
        };
        // Every request goes to `serve` under one fixed path (set in process_and_close_socket):
        // httplib matches routes with std::regex, whose recursive matcher can exhaust the stack
        // on a long client-supplied path.
        Handler serveAll = [this](const httplib::Request& request, httplib::Response& response) {
            serve(request, response);
        };
        Get(kRoutedPath, serveAll);
        Post(kRoutedPath, serveAll);
        Put(kRoutedPath, serveAll);
        Patch(kRoutedPath, serveAll);
        Delete(kRoutedPath, serveAll);
        Options(kRoutedPath, serveAll);
        set_error_handler(HandlerWithResponse(
            [this](const httplib::Request& request, httplib::Response& response) {
                // Matches are set only for dispatched requests, whose reply is final.
                if (!request.matches.empty()) return HandlerResponse::Unhandled;
                if (tCurrentConnection != nullptr) tCurrentConnection->closeAfterReply = true;
                response.set_header("Connection", "close");
                auto status = response.status;
                auto reply = rejection_(status);
                reply.status = status;
                apply(reply, response);
                return HandlerResponse::Handled;
            }));
    }

    ~Engine() override { ::close(wakeFd_); }

    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Ends every wait of every connection from now on.
    void wakeConnections() {
        std::uint64_t one = 1;
        while (::write(wakeFd_, &one, sizeof(one)) < 0 && errno == EINTR) {
        }
    }

  private:
    bool process_and_close_socket(socket_t socket) override {
        int yes = 1;
        ::setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof(yes));
        bool ok = true;
        std::optional<TLSContext::Connection> tls;
        if (tls_) {
            blockBrokenPipeSignal();
            tls.emplace(*tls_, socket);
        }
        {
            ConnectionStream stream(socket, wakeFd_,
                                    std::chrono::seconds(read_timeout_sec_) +
                                        std::chrono::microseconds(read_timeout_usec_),
                                    std::chrono::seconds(write_timeout_sec_) +
                                        std::chrono::microseconds(write_timeout_usec_),
                                    tls ? &*tls : nullptr);
            if (tls && !stream.acceptTLS()) {
                ::close(socket);
                return false;
            }
            tCurrentConnection = &stream;
            while (stream.awaitRequest(idleConnectionLimit)) {
                stream.beginRequest();
                bool closed = false;
                ok = process_request(stream, stream.stopping(), closed,
                                     [&stream](httplib::Request& request) {
                                         stream.decodedPath = std::move(request.path);
                                         request.path = kRoutedPath;
                                     });
                // A refused request leaves the stream in an unknown state, and a dropped reply
                // must end the connection whatever httplib made of the failed write.
                if (!ok || closed || stream.dropReply || stream.closeAfterReply) break;
            }
            tCurrentConnection = nullptr;
        }
        if (tls) tls->close();
        ::shutdown(socket, SHUT_RDWR);
        ::close(socket);
        return ok;
    }

    void serve(const httplib::Request& request, httplib::Response& response) {
        auto* connection = tCurrentConnection;
        RecordedRequest recorded;
        if (tls_) recorded.scheme = "https";
        recorded.method = request.method;
        recorded.target = request.target;
        recorded.path = connection != nullptr ? connection->decodedPath : request.path;
        if (auto question = request.target.find('?'); question != std::string::npos) {
            recorded.query = request.target.substr(question + 1);
        }
        if (connection != nullptr) recorded.headers = parseHeaders(connection->head());
        recorded.body = request.body;
        Reply reply;
        try {
            reply = dispatch_(std::move(recorded));
        } catch (const std::exception&) {
            reply = rejection_(500);
            reply.status = 500;
        }
        apply(reply, response);
        if (reply.dropConnection) {
            if (connection != nullptr) {
                connection->dropReply = true;
            } else {
                // No stream to silence: promise a body and never send it.
                response.set_content_provider(
                    1, "application/octet-stream",
                    [](std::size_t, std::size_t, httplib::DataSink&) { return false; });
            }
        }
    }

    static void apply(const Reply& reply, httplib::Response& response) {
        response.status = reply.status;
        for (const auto& [name, value] : reply.headers) response.set_header(name, value);
        if (!reply.contentType.empty()) {
            response.set_content(reply.body, reply.contentType);
        } else {
            response.body = reply.body;
        }
    }

  public:
    std::chrono::milliseconds idleConnectionLimit{std::chrono::seconds(5)};

  private:
    Dispatch dispatch_;
    Rejection rejection_;
    const std::unique_ptr<TLSContext> tls_;  // none: plain http
    int wakeFd_;
};

LoopbackServer::LoopbackServer(Dispatch dispatch, Rejection rejection, std::size_t maxThreads,
                               std::unique_ptr<TLSContext> tls)
    : engine_(std::make_unique<Engine>(std::move(dispatch), std::move(rejection), maxThreads,
                                       std::move(tls))) {}

LoopbackServer::~LoopbackServer() {
    stop();
}

void LoopbackServer::setIdleConnectionLimit(std::chrono::milliseconds limit) {
    engine_->idleConnectionLimit = limit;
}

std::uint16_t LoopbackServer::start(std::uint16_t port) {
    if (started_) throw std::logic_error("the server was already started");
    started_ = true;
    int bound = port;
    if (port == 0) {
        bound = engine_->bind_to_any_port(kHost);
    } else if (!engine_->bind_to_port(kHost, port)) {
        bound = -1;
    }
    if (bound <= 0) {
        throw std::runtime_error("cannot bind " + std::string(kHost) + ":" + std::to_string(port));
    }
    listener_ = std::thread([this] {
        engine_->listen_after_bind();
        listenerDone_ = true;
    });
    // httplib's stop() is a no-op until its accept loop runs, so wait for it to begin.
    while (!engine_->is_running() && !listenerDone_) std::this_thread::yield();
    if (listenerDone_ && !engine_->is_running()) {
        listener_.join();
        throw std::runtime_error("the server stopped as it started");
    }
    return static_cast<std::uint16_t>(bound);
}

void LoopbackServer::stop() {
    started_ = true;  // a stopped server stays stopped
    if (!listener_.joinable()) return;
    engine_->wakeConnections();
    engine_->stop();
    listener_.join();
}

}  // namespace corvend::sandbox
