// 1,000 small JSON GETs in flight at once against the sandbox library (served from a forked
// child, so the thread peak is the client's alone): through the kit's
// completion form (one task per call, completions counted on the main queue, which the benchmark
// drives) against the same 1,000 transfers in one raw libcurl multi handle. Prints the time
// ratio and the peak thread count of the process during each side's run.

#include <benchmark/benchmark.h>
#include <curl/curl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <boost/describe.hpp>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "CorvendWallet/networking/DefaultErrorProcessor.hpp"
#include "CorvendWallet/networking/EnqueuedHeadersProvider.hpp"
#include "CorvendWallet/networking/NetworkManager.hpp"
#include "CorvendWallet/networking/SessionManager.hpp"
#include "CorvendWallet/networking/SharedCoders.hpp"
#include "bench/Comparison.hpp"
#include "bench/PingEndpoint.hpp"
#include "platform/async/MainQueue.hpp"
#include "platform/http/URLSession.hpp"
#include "sandbox/Sandbox.hpp"

namespace {

using corvend::NetworkManager;
using corvend::bench::kKitHeaders;
using corvend::bench::Ping;
using corvend::bench::kPingPath;
using corvend::bench::kToken;
using corvend::bench::pingEndpoint;

constexpr int kInFlight = 1'000;

// Set once in main before any benchmark runs.
std::string gBaseURL;

int threadsNow() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("Threads:")) return std::stoi(line.substr(8));
    }
    return 0;
}

// The sandbox's server listens with a backlog of 5. A burst of 1,000 connects overflows it, and
// each dropped SYN is resent by the kernel after 1 s, then 3 s, 7 s...: the benchmark would time
// that timer, not either client. listen() on a listening socket only changes its backlog.
void deepenAcceptQueue(std::uint16_t port) {
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        const int fd = std::stoi(entry.path().filename().string());
        sockaddr_in address{};
        socklen_t length = sizeof address;
        int listening = 0;
        socklen_t size = sizeof listening;
        if (::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0 &&
            address.sin_family == AF_INET && ntohs(address.sin_port) == port &&
            ::getsockopt(fd, SOL_SOCKET, SO_ACCEPTCONN, &listening, &size) == 0 && listening) {
            ::listen(fd, 4 * kInFlight);
        }
    }
}

// Keeps the highest thread count of the process, sampled every millisecond while it lives.
class ThreadPeakSampler {
  public:
    ThreadPeakSampler()
        : sampler_([this](std::stop_token stop) {
              while (!stop.stop_requested()) {
                  peak_ = std::max(peak_.load(), threadsNow());
                  std::this_thread::sleep_for(std::chrono::milliseconds(1));
              }
          }) {}
    int peak() const { return peak_; }

  private:
    std::atomic<int> peak_{0};
    std::jthread sampler_;
};

std::shared_ptr<NetworkManager> makeManager() {
    auto manager = NetworkManager::make(
        std::make_shared<corvend::SessionManager>(corvend::platform::URLSession::make()),
        std::make_shared<corvend::EnqueuedHeadersProvider>());
    manager->setEnvironment({
        .baseURL = *corvend::platform::URL::make(gBaseURL),
        .headers = kKitHeaders,
        .accessToken = kToken,
        .timeout = 60.0,
    });
    return manager;
}

// Starts kInFlight calls through the kit's completion form and drives the main queue (this
// thread is its driver, as a host's is) until every completion has run. False on a failure.
bool kitRound(NetworkManager& manager) {
    // Shared with the completions, which would outlive a round that gave up.
    auto completed = std::make_shared<int>(0);
    auto failed = std::make_shared<int>(0);
    for (int i = 0; i < kInFlight; ++i) {
        manager.request<Ping>(pingEndpoint(), [completed, failed](corvend::Result<Ping> ping) {
            ++*completed;
            if (!ping) ++*failed;
        });
    }
    const bool ended = corvend::platform::MainQueue::shared().runUntil(
        [&] { return *completed == kInFlight; }, std::chrono::minutes(1));
    return ended && *failed == 0;
}

// The same kInFlight GETs (URL, headers) as easy handles of one multi handle, driven here.
class RawRound {
  public:
    RawRound() {
        for (const auto& [name, value] : kKitHeaders) append(name + ": " + value);
        append(std::string("Authorization: Bearer ") + kToken);
        curl_multi_setopt(multi_.get(), CURLMOPT_MAXCONNECTS, 32L);  // as the kit's session
        for (auto& body : bodies_) {
            auto& easy = easies_.emplace_back(curl_easy_init(), &curl_easy_cleanup);
            curl_easy_setopt(easy.get(), CURLOPT_URL, url_.c_str());
            curl_easy_setopt(easy.get(), CURLOPT_HTTPHEADER, headers_.get());
            curl_easy_setopt(easy.get(), CURLOPT_NOSIGNAL, 1L);
            curl_easy_setopt(easy.get(), CURLOPT_TIMEOUT, 60L);
            curl_easy_setopt(easy.get(), CURLOPT_WRITEFUNCTION, &onBody);
            curl_easy_setopt(easy.get(), CURLOPT_WRITEDATA, &body);
        }
    }

    // False unless every transfer answered 200.
    bool run() {
        for (std::size_t i = 0; i < easies_.size(); ++i) {
            bodies_[i].clear();
            curl_multi_add_handle(multi_.get(), easies_[i].get());
        }
        int succeeded = 0;
        for (int running = kInFlight; running > 0;) {
            curl_multi_perform(multi_.get(), &running);
            int queued = 0;
            while (CURLMsg* message = curl_multi_info_read(multi_.get(), &queued)) {
                if (message->msg != CURLMSG_DONE) continue;
                long status = 0;
                curl_easy_getinfo(message->easy_handle, CURLINFO_RESPONSE_CODE, &status);
                if (message->data.result == CURLE_OK && status == 200) ++succeeded;
                curl_multi_remove_handle(multi_.get(), message->easy_handle);
            }
            if (running > 0) curl_multi_poll(multi_.get(), nullptr, 0, 1'000, nullptr);
        }
        return succeeded == kInFlight;
    }

  private:
    static std::size_t onBody(char* bytes, std::size_t size, std::size_t count, void* body) {
        static_cast<std::string*>(body)->append(bytes, size * count);
        return size * count;
    }
    void append(const std::string& line) {
        headers_.reset(curl_slist_append(headers_.release(), line.c_str()));
    }

    const std::string url_ = gBaseURL + kPingPath;
    std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> headers_{nullptr,
                                                                         &curl_slist_free_all};
    std::unique_ptr<CURLM, decltype(&curl_multi_cleanup)> multi_{curl_multi_init(),
                                                                 &curl_multi_cleanup};
    std::vector<std::string> bodies_ = std::vector<std::string>(kInFlight);
    std::vector<std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>> easies_;
};

void BM_KitCompletions(benchmark::State& state) {
    const auto manager = makeManager();
    for (auto _ : state) {
        if (!kitRound(*manager)) {
            state.SkipWithError("not every kit request succeeded");
            break;
        }
    }
}
BENCHMARK(BM_KitCompletions)->UseRealTime()->Iterations(3)->Repetitions(7);

void BM_RawCurlMulti(benchmark::State& state) {
    RawRound round;
    for (auto _ : state) {
        if (!round.run()) {
            state.SkipWithError("not every raw transfer succeeded");
            break;
        }
    }
}
BENCHMARK(BM_RawCurlMulti)->UseRealTime()->Iterations(3)->Repetitions(7);

// One round of each, raw first, before the benchmarks: the kit's pool keeps its threads a
// while after a round, so a raw round after a kit round would count them too.
void printThreadPeaks() {
    int rawPeak = 0;
    int kitPeak = 0;
    {
        RawRound round;
        ThreadPeakSampler sampler;
        if (round.run()) rawPeak = sampler.peak();
    }
    {
        const auto manager = makeManager();
        ThreadPeakSampler sampler;
        if (kitRound(*manager)) kitPeak = sampler.peak();
    }
    std::printf(
        "peak threads of the process, sampler included: raw libcurl round %d, kit round %d\n",
        rawPeak, kitPeak);
}

// Runs the sandbox in a child process forked before any thread exists, so that its serving
// threads (one per connection) do not count in the benchmark's thread peak. Returns the child's
// base URL and the pipe end whose closing stops it; an empty URL when it could not start.
std::pair<std::string, int> startSandboxProcess() {
    int toChild[2];
    int fromChild[2];
    if (::pipe(toChild) != 0 || ::pipe(fromChild) != 0) return {};
    if (::fork() == 0) {
        ::close(toChild[1]);
        ::close(fromChild[0]);
        corvend::sandbox::SandboxOptions options;
        options.maxThreads = 2 * kInFlight;  // no connection waits for a serving thread
        corvend::sandbox::Sandbox sandbox(options);
        try {
            sandbox.start();
        } catch (const std::exception& error) {
            std::fprintf(stderr, "cannot start the sandbox: %s\n", error.what());
            ::_exit(1);
        }
        deepenAcceptQueue(sandbox.port());
        const std::string url = sandbox.baseURL();
        (void)::write(fromChild[1], url.data(), url.size());
        ::close(fromChild[1]);
        // Serves until the parent goes; the recorded requests are dropped as they pile up.
        for (pollfd parent{toChild[0], POLLIN, 0}; ::poll(&parent, 1, 1'000) == 0;) {
            sandbox.clearRequests();
        }
        sandbox.stop();
        ::_exit(0);
    }
    ::close(toChild[0]);
    ::close(fromChild[1]);
    std::string url(256, '\0');
    const auto got = ::read(fromChild[0], url.data(), url.size());
    ::close(fromChild[0]);
    url.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return {url, toChild[1]};
}

}  // namespace

int main(int argc, char** argv) {
    const auto [baseURL, sandboxPipe] = startSandboxProcess();
    if (baseURL.empty()) return 1;
    gBaseURL = baseURL;
    curl_global_init(CURL_GLOBAL_DEFAULT);
    if (!corvend::bench::initializeInterleaved(argc, argv)) return 1;
    corvend::platform::MainQueue::shared().drain();  // this thread drives the main queue
    printThreadPeaks();
    corvend::bench::runAndPrintRatio("BM_KitCompletions", "BM_RawCurlMulti",
                                     "kit completions/raw libcurl multi, 1,000 in flight");
    ::close(sandboxPipe);
    ::wait(nullptr);
    benchmark::Shutdown();
    curl_global_cleanup();
    return 0;
}
