#include "platform/http/HostResolver.hpp"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <array>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <string_view>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/async/ProcessFork.hpp"
#include "platform/foundation/NeverDestroyed.hpp"
#include "platform/http/CurlErrorMapping.hpp"

namespace corvend::platform::detail {

namespace {

using Clock = std::chrono::steady_clock;

// A lookup thread with nothing to do for this long ends.
constexpr std::chrono::seconds kIdleThreadLifetime{5};

std::optional<std::string> systemLookup(const std::string& host, std::uint16_t port) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) {
        return std::nullopt;
    }
    std::vector<std::string> addresses;
    for (const addrinfo* entry = found; entry != nullptr; entry = entry->ai_next) {
        std::array<char, INET6_ADDRSTRLEN> text{};
        std::string address;
        if (entry->ai_family == AF_INET) {
            const auto* ip = reinterpret_cast<const sockaddr_in*>(entry->ai_addr);
            if (::inet_ntop(AF_INET, &ip->sin_addr, text.data(), text.size()) == nullptr) continue;
            address = text.data();
        } else if (entry->ai_family == AF_INET6) {
            const auto* ip = reinterpret_cast<const sockaddr_in6*>(entry->ai_addr);
            if (::inet_ntop(AF_INET6, &ip->sin6_addr, text.data(), text.size()) == nullptr) {
                continue;
            }
            address = "[" + std::string(text.data()) + "]";
        } else {
            continue;
        }
        if (std::ranges::find(addresses, address) == addresses.end()) {
            addresses.push_back(std::move(address));
        }
    }
    ::freeaddrinfo(found);
    if (addresses.empty()) return std::nullopt;
    std::string joined;
    for (const auto& address : addresses) joined.append(joined.empty() ? "" : ",").append(address);
    return joined;
}

}  // namespace

struct HostResolver::State {
    struct InFlight {
        std::string host;
        std::uint16_t port = 0;
        std::vector<std::weak_ptr<Answer>> waiters;
    };
    struct Kept {
        std::string entry;
        Clock::time_point until;
    };

    State(Lookup function, Now clock) : lookup(std::move(function)), now(std::move(clock)) {}

    const Lookup lookup;
    const Now now;
    std::mutex mutex;
    std::condition_variable work;
    std::unordered_map<std::string, std::shared_ptr<InFlight>> inFlight;  // guarded by mutex
    std::deque<std::shared_ptr<InFlight>> pending;                        // guarded by mutex
    std::unordered_map<std::string, Kept> kept;                           // guarded by mutex
    std::size_t threads = 0;                                              // guarded by mutex
    std::size_t idleThreads = 0;                                          // guarded by mutex

    static std::string keyOf(const std::string& host, std::uint16_t port) {
        return host + ":" + std::to_string(port);
    }

    // Runs lookups until none has come for a while. Holds `self`, never the resolver.
    static void serve(const std::shared_ptr<State>& self) {
        std::unique_lock lock(self->mutex);
        for (;;) {
            ++self->idleThreads;
            const bool more = self->work.wait_for(lock, kIdleThreadLifetime,
                                                  [&] { return !self->pending.empty(); });
            --self->idleThreads;
            if (!more) {
                --self->threads;
                return;
            }
            auto lookup = std::move(self->pending.front());
            self->pending.pop_front();
            const std::string key = keyOf(lookup->host, lookup->port);
            // Nobody waits any more (each timed out or was cancelled): not worth a thread.
            if (std::ranges::all_of(lookup->waiters, [](const auto& w) { return w.expired(); })) {
                self->inFlight.erase(key);
                continue;
            }
            lock.unlock();
            std::optional<std::string> addresses;
            try {
                addresses = self->lookup(lookup->host, lookup->port);
            } catch (const std::exception&) {
            }
            lock.lock();
            self->inFlight.erase(key);
            std::optional<std::string> entry;
            if (addresses) {
                entry = key + ":" + *addresses;
                self->keep(key, *entry);
            }
            const auto waiters = std::move(lookup->waiters);
            lock.unlock();
            for (const auto& weak : waiters) {
                if (const auto waiter = weak.lock()) settle(*waiter, lookup->host, entry);
            }
            lock.lock();
        }
    }

    static void settle(Answer& answer, const std::string& host,
                       const std::optional<std::string>& entry) {
        if (entry) {
            answer.resolve(*entry);
        } else {
            // libcurl's own words for a name it could not resolve.
            answer.reject(std::make_exception_ptr(
                makeURLError(URLError::Code::cannotFindHost, "Could not resolve host: " + host)));
        }
    }

    void keep(const std::string& key, const std::string& entry) {
        const auto time = now();
        std::erase_if(kept, [&](const auto& item) { return item.second.until <= time; });
        kept.insert_or_assign(key, Kept{entry, time + kKeptFor});
    }
};

HostResolver& HostResolver::shared() {
    // Ahead of its making's guard, which a parent thread may hold at a fork.
    ProcessFork::noteKitBegun();
    static NeverDestroyed<HostResolver> resolver(&systemLookup);
    return *resolver;
}

HostResolver::HostResolver(Lookup lookup, Now now)
    : state_(std::make_shared<State>(std::move(lookup), std::move(now))) {}

HostResolver::~HostResolver() = default;

std::shared_ptr<HostResolver::Answer> HostResolver::lookUp(const std::string& host,
                                                           std::uint16_t port) {
    auto answer = std::make_shared<Answer>();
    // libcurl's entry syntax has no room for these; it could not look such a name up either.
    if (host.find_first_of(":,") != std::string::npos) {
        State::settle(*answer, host, std::nullopt);
        return answer;
    }
    const std::string key = State::keyOf(host, port);
    std::unique_lock lock(state_->mutex);
    if (const auto kept = state_->kept.find(key);
        kept != state_->kept.end() && kept->second.until > state_->now()) {
        answer->resolve(kept->second.entry);
        return answer;
    }
    auto& running = state_->inFlight[key];
    if (running) {
        std::erase_if(running->waiters, [](const auto& weak) { return weak.expired(); });
        running->waiters.push_back(answer);
        return answer;
    }
    running = std::make_shared<State::InFlight>(State::InFlight{host, port, {answer}});
    state_->pending.push_back(running);
    if (state_->pending.size() > state_->idleThreads && state_->threads < kMaximumThreads) {
        try {
            std::thread([state = state_] { State::serve(state); }).detach();
            ++state_->threads;
        } catch (const std::system_error&) {
            if (state_->threads == 0) {
                // Nobody would ever take it.
                state_->pending.pop_back();
                state_->inFlight.erase(key);
                lock.unlock();
                answer->reject(std::make_exception_ptr(makeURLError(
                    URLError::Code::cannotFindHost, "no thread to look " + host + " up")));
                return answer;
            }
        }
    }
    state_->work.notify_one();
    return answer;
}

bool HostResolver::isAddress(const std::string& host) noexcept {
    std::array<unsigned char, sizeof(in6_addr)> address{};
    return ::inet_pton(AF_INET, host.c_str(), address.data()) == 1 ||
           ::inet_pton(AF_INET6, host.c_str(), address.data()) == 1;
}

}  // namespace corvend::platform::detail
