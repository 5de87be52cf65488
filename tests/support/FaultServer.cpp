#include "tests/support/FaultServer.hpp"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>
#include <string_view>

namespace corvend::testing {

namespace {

void sendAll(int socket, std::string_view bytes) {
    while (!bytes.empty()) {
        const auto sent = ::send(socket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent <= 0) return;  // the client has gone: nothing left to script
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
}

}  // namespace

FaultServer::FaultServer(Script script) : script_(std::move(script)) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) throw std::runtime_error("no pipe");
    wakeRead_ = pipeEnds[0];
    wakeWrite_ = pipeEnds[1];
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::listen(listener_, 16) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("cannot listen on loopback");
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
}

FaultServer::~FaultServer() {
    (void)::write(wakeWrite_, "x", 1);
    thread_.join();
    for (int fd : {listener_, wakeRead_, wakeWrite_}) ::close(fd);
}

std::string FaultServer::baseURL() const {
    return "http://127.0.0.1:" + std::to_string(port_) + "/";
}

bool FaultServer::quietFor(int client, int ms) {
    pollfd fds[] = {{client, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
    return ::poll(fds, 2, ms) == 0;
}

void FaultServer::serve() {
    for (;;) {
        pollfd fds[] = {{listener_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0 || fds[1].revents != 0) return;
        const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) continue;
        ++accepted_;
        answer(client);
        ::close(client);
    }
}

void FaultServer::answer(int client) {
    std::string head;
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos) {
        pollfd fds[] = {{client, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0 || fds[1].revents != 0) return;
        const auto got = ::recv(client, buffer, sizeof buffer, 0);
        if (got <= 0) return;
        head.append(buffer, static_cast<std::size_t>(got));
    }
    sendAll(client, script_.reply);
    // The client sends nothing after its request head, so any readiness is it going away.
    switch (script_.then) {
        case Then::close:
            return;
        case Then::reset: {
            const linger abortive{1, 0};
            ::setsockopt(client, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
            return;
        }
        case Then::holdOpen:
            quietFor(client, -1);
            return;
        case Then::drip:
            for (std::size_t i = 0; quietFor(client, static_cast<int>(script_.dripEvery.count()));
                 i = (i + 1) % script_.drip.size()) {
                sendAll(client, std::string_view(script_.drip).substr(i, 1));
            }
            return;
    }
}

}  // namespace corvend::testing
