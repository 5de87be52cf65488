// verify-instrument: a host without a desktop browser. It installs an opener of its own, starts
// the verification of a bank account, follows the page the kit hands that opener to the host's
// return address as a browser would, completes the verification there and reads the instrument
// it saved. Usage: verify-instrument <base-url> (http)
#include <netdb.h>
#include <sys/socket.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <exception>
#include <functional>
#include <iostream>
#include <memory>
#include <mutex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "CorvendWallet/Cards.hpp"
#include "CorvendWallet/CorvendWallet.hpp"
#include "platform/app/URLOpener.hpp"
#include "platform/async/MainQueue.hpp"

using corvend::Wallet;
using corvend::platform::URL;

namespace {

// The host's own address, never loaded: the page ends there with the session's identifier.
const std::string kReturnAddress = "https://quickstart.example/instrument-verified";

// Where a browser would open the page, this one keeps it for the host to follow.
class PageOpener final : public corvend::platform::URLOpener {
  public:
    using URLOpener::open;
    void open(const URL& url, const Options&,
              std::function<void(bool opened)> completion) override {
        {
            std::lock_guard lock(mutex_);
            pages_.push_back(url);
        }
        completion(true);
    }

    std::vector<URL> pages() {
        std::lock_guard lock(mutex_);
        return pages_;
    }

  private:
    std::mutex mutex_;
    std::vector<URL> pages_;
};

bool reaches(const URL& url, const URL& address) {
    return url.scheme() == address.scheme() && url.host() == address.host() &&
           url.port() == address.port() && url.path() == address.path();
}

// A plain HTTP/1.1 GET of `url`; the address its 3xx reply sends the browser on to.
std::string redirectOf(const URL& url) {
    if (url.scheme() != "http")
        throw std::runtime_error("not an http page: " + url.absoluteString());
    const auto& text = url.absoluteString();
    const auto start = text.find("://") + 3;
    const auto authority = text.substr(start, text.find_first_of("/?#", start) - start);
    const auto host = url.host().value_or("");
    const auto port = std::to_string(url.port().value_or(80));
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), port.c_str(), &hints, &found) != 0)
        throw std::runtime_error("cannot resolve " + host);
    const int fd = socket(found->ai_family, found->ai_socktype, found->ai_protocol);
    bool ok = fd >= 0 && connect(fd, found->ai_addr, found->ai_addrlen) == 0;
    freeaddrinfo(found);
    const auto path = url.path().empty() ? std::string("/") : url.path();
    const std::string request = "GET " + path + (url.query() ? "?" + *url.query() : "") +
                                " HTTP/1.1\r\nHost: " + authority + "\r\nConnection: close\r\n\r\n";
    for (std::size_t sent = 0; ok && sent < request.size();) {
        const auto n = send(fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
        ok = n > 0;
        if (ok) sent += static_cast<std::size_t>(n);
    }
    std::string reply;
    char buffer[4096];
    for (ssize_t n = 0; ok && (n = recv(fd, buffer, sizeof buffer, 0)) > 0;)
        reply.append(buffer, static_cast<std::size_t>(n));
    if (fd >= 0) close(fd);
    if (!ok) throw std::runtime_error("cannot load " + url.absoluteString());

    std::istringstream lines(reply);
    std::string status;
    std::getline(lines, status);  // "HTTP/1.1 302 Found"
    if (status.ends_with('\r')) status.pop_back();
    const bool redirected = status.size() > 9 && status[9] == '3';
    std::string line;
    while (redirected && std::getline(lines, line) && line != "\r") {
        const auto colon = line.find(':');
        auto name = line.substr(0, colon);
        std::ranges::transform(name, name.begin(), [](unsigned char c) { return std::tolower(c); });
        if (colon == std::string::npos || name != "location") continue;
        const auto begin = line.find_first_not_of(" \t", colon + 1);
        const auto end = line.find_last_not_of(" \t\r");
        if (begin != std::string::npos) return line.substr(begin, end + 1 - begin);
    }
    throw std::runtime_error(url.absoluteString() + " answered \"" + status +
                             "\" and sent the browser nowhere");
}

// Follows the page as a browser does, hop by hop, until it sends the browser to the return
// address; that address, with what the page added to it, goes to the kit instead.
std::string follow(URL page, const URL& returnAddress) {
    for (int hop = 0; hop < 10; ++hop) {
        const auto location = redirectOf(page);
        const auto next = URL::make(location);
        if (!next) throw std::runtime_error("the page sent the browser to " + location);
        if (reaches(*next, returnAddress)) return location;
        page = *next;
    }
    throw std::runtime_error("the page never reached the return address");
}

void verify(const std::string& baseURL, PageOpener& opener) {
    auto& wallet = Wallet::instance();
    wallet.configure({"sandbox-config-token", baseURL});
    wallet.authenticate({"demo-access-token"});
    const auto service = wallet.paymentInstrumentService();
    const auto started =
        service->startVerification({kReturnAddress, Wallet::InstrumentType::sepaBankAccount});
    service->openExternalVerificationFlow(started);  // hands the page to the opener
    const auto pages = opener.pages();
    if (pages.size() != 1)
        throw std::runtime_error("the opener got " + std::to_string(pages.size()) + " pages");
    std::cout << "verification " << started.id() << ": page " << pages.front().absoluteString()
              << '\n';

    const auto returnedTo = follow(pages.front(), *URL::make(kReturnAddress));
    std::cout << "returned to " << returnedTo << '\n';
    const auto verified = service->completeExternalVerificationFlow(returnedTo);
    if (verified.id() != started.id() ||
        verified.sessionStatus() != Wallet::InstrumentVerificationStatus::completed ||
        !verified.instrument())
        throw std::runtime_error("verification " + verified.id() + " did not complete");
    const auto saved =
        service->get({verified.instrument()->id, verified.instrument()->instrumentType});
    if (saved->id() != verified.instrument()->id ||
        saved->status() != Wallet::PaymentInstrumentStatus::verified)
        throw std::runtime_error("instrument " + verified.instrument()->id + " is not verified");
    std::cout << "verification " << verified.id() << " completed: instrument "
              << verified.instrument()->id << " verified\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: verify-instrument <base-url>\n";
        return 2;
    }
    // Before the instrument service's first read: the kit keeps the opener it finds then.
    const auto opener = std::make_shared<PageOpener>();
    corvend::platform::URLOpener::setShared(opener);

    auto& queue = corvend::platform::MainQueue::shared();
    int status = 1;
    // The blocking forms run on a thread of the host's while the main thread drives the queue,
    // where the kit calls the opener.
    std::thread host([&] {
        try {
            verify(argv[1], *opener);
            status = 0;
        } catch (const std::exception& error) {
            std::cerr << "verify-instrument: " << error.what() << '\n';
        }
        queue.stop();
    });
    queue.run();
    host.join();
    return status;
}
