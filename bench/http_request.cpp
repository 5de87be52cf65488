// A small GET on a loopback keep-alive connection: URLSession (multi handle driven by its I/O
// thread, the caller blocking on the reply) against one reused easy handle run in place.

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

// The in-process loopback server both clients talk to.
class BenchServer {
  public:
    BenchServer() {
        server_.set_tcp_nodelay(true);
        server_.set_keep_alive_max_count(1'000'000);
        server_.Get("/small", [](const httplib::Request&, httplib::Response& response) {
            response.set_content(kReply, "application/json");
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        // stop() before the accept loop runs would be lost and leave join() waiting.
        while (!server_.is_running()) std::this_thread::yield();
    }
    ~BenchServer() {
        server_.stop();
        thread_.join();
    }
    BenchServer(const BenchServer&) = delete;
    BenchServer& operator=(const BenchServer&) = delete;

    bool ok() const { return port_ > 0; }
    std::string url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/small"; }

  private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
};

std::string gURL;  // set once in main before any benchmark runs

void BM_URLSession(benchmark::State& state) {
    auto session = URLSession::make();
    const URLRequest request(*URL::make(gURL));
    session->data(request);  // opens the connection
    for (auto _ : state) {
        auto reply = session->data(request);
        benchmark::DoNotOptimize(reply.first.data());
    }
}
BENCHMARK(BM_URLSession)->UseRealTime()->Repetitions(9)->ReportAggregatesOnly(true);

void BM_RawCurl(benchmark::State& state) {
    corvend::bench::timeRawGet(state, gURL);
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
        corvend::bench::runAndPrintRatio("BM_URLSession", "BM_RawCurl",
                                         "URLSession/raw libcurl per GET");
    }
    benchmark::Shutdown();
    curl_global_cleanup();
    return 0;
}
