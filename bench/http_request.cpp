// A small GET on a loopback keep-alive connection: URLSession (multi handle driven by its I/O
// thread, the caller blocking on the reply) against one reused easy handle run in place. Built
// twice: bench_http_request, and bench_https_request over TLS (CORVEND_BENCH_TLS_DIR names the
// test certificates; both clients trust the test CA).

#include <benchmark/benchmark.h>
#include <curl/curl.h>
#include <httplib.h>

#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "bench/Comparison.hpp"
#include "bench/RawCurl.hpp"
#include "platform/http/URLSession.hpp"

namespace {

using corvend::platform::URL;
using corvend::platform::URLRequest;
using corvend::platform::URLSession;

const std::string kReply =
    R"({"id":"42","status":"active","balance":{"amount":"12.50","currency":"EUR"}})";

#ifdef CORVEND_BENCH_TLS_DIR
constexpr bool kTLS = true;
const std::string kCertificates = CORVEND_BENCH_TLS_DIR "/";
using Server = httplib::SSLServer;
#else
constexpr bool kTLS = false;
const std::string kCertificates;
using Server = httplib::Server;
#endif
const std::string kTrustedAuthorities = kTLS ? kCertificates + "test-ca.pem" : "";

std::unique_ptr<Server> makeServer() {
    if constexpr (kTLS) {
        return std::make_unique<Server>((kCertificates + "server.pem").c_str(),
                                        (kCertificates + "server-key.pem").c_str());
    } else {
        return std::make_unique<Server>();
    }
}

// The in-process loopback server both clients talk to.
class BenchServer {
  public:
    BenchServer() : server_(makeServer()) {
        server_->set_tcp_nodelay(true);
        server_->set_keep_alive_max_count(1'000'000);
        server_->Get("/small", [](const httplib::Request&, httplib::Response& response) {
            response.set_content(kReply, "application/json");
        });
        port_ = server_->bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_->listen_after_bind(); });
        // stop() before the accept loop runs would be lost and leave join() waiting.
        while (!server_->is_running()) std::this_thread::yield();
    }
    ~BenchServer() {
        server_->stop();
        thread_.join();
    }
    BenchServer(const BenchServer&) = delete;
    BenchServer& operator=(const BenchServer&) = delete;

    bool ok() const { return port_ > 0; }
    std::string url() const {
        return std::string(kTLS ? "https" : "http") + "://127.0.0.1:" + std::to_string(port_) +
               "/small";
    }

  private:
    std::unique_ptr<Server> server_;
    int port_ = 0;
    std::thread thread_;
};

std::string gURL;  // set once in main before any benchmark runs

void BM_URLSession(benchmark::State& state) {
    auto configuration = corvend::platform::URLSessionConfiguration::ephemeral();
    configuration.caBundlePath = kTrustedAuthorities;
    auto session = URLSession::make(std::move(configuration));
    const URLRequest request(*URL::make(gURL));
    session->data(request);  // opens the connection
    for (auto _ : state) {
        auto reply = session->data(request);
        benchmark::DoNotOptimize(reply.first.data());
    }
}
BENCHMARK(BM_URLSession)->UseRealTime()->Repetitions(9)->ReportAggregatesOnly(true);

void BM_RawCurl(benchmark::State& state) {
    corvend::bench::timeRawGet(state, gURL, nullptr, kTrustedAuthorities);
}
BENCHMARK(BM_RawCurl)->UseRealTime()->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    curl_global_init(CURL_GLOBAL_DEFAULT);
    if (!corvend::bench::initializeInterleaved(argc, argv)) return 1;

    {
        BenchServer server;
        if (!server.ok()) {
            std::fprintf(stderr, "cannot listen on loopback\n");
            return 1;
        }
        gURL = server.url();
        corvend::bench::runAndPrintRatio(
            "BM_URLSession", "BM_RawCurl",
            kTLS ? "URLSession/raw libcurl per GET over https" : "URLSession/raw libcurl per GET");
    }
    benchmark::Shutdown();
    curl_global_cleanup();
    return 0;
}
