// One small JSON GET through the kit's whole request pipeline (NetworkManager: environment read,
// endpoint and request build, URLSession transfer, validation, decode into a described struct)
// against one reused libcurl easy handle sending the same URL and headers, both against an
// in-process sandbox on loopback.

#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <boost/describe.hpp>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/networking/DefaultErrorProcessor.hpp"
#include "CorvendWallet/networking/EnqueuedHeadersProvider.hpp"
#include "CorvendWallet/networking/NetworkManager.hpp"
#include "CorvendWallet/networking/SessionManager.hpp"
#include "CorvendWallet/networking/SharedCoders.hpp"
#include "bench/Comparison.hpp"
#include "bench/PingEndpoint.hpp"
#include "bench/RawCurl.hpp"
#include "platform/http/URLSession.hpp"
#include "sandbox/Sandbox.hpp"

namespace {

using corvend::NetworkManager;
using corvend::bench::kKitHeaders;
using corvend::bench::kPingPath;
using corvend::bench::kToken;
using corvend::bench::pingEndpoint;

// Set once in main before any benchmark runs.
corvend::sandbox::Sandbox* gSandbox = nullptr;

void BM_NetworkManager(benchmark::State& state) {
    auto manager = NetworkManager::make(
        std::make_shared<corvend::SessionManager>(corvend::platform::URLSession::make()),
        std::make_shared<corvend::EnqueuedHeadersProvider>());
    manager->setEnvironment({
        .baseURL = *corvend::platform::URL::make(gSandbox->baseURL()),
        .headers = kKitHeaders,
        .accessToken = kToken,
        .timeout = 15.0,
    });
    try {
        manager->request(pingEndpoint());  // opens the connection
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
        return;
    }
    for (auto _ : state) {
        // A repository builds its endpoint on every call, so the loop does too.
        auto ping = manager->request(pingEndpoint());
        benchmark::DoNotOptimize(ping.status.data());
    }
    // The sandbox records every request; keep its memory flat across repetitions.
    gSandbox->clearRequests();
}
BENCHMARK(BM_NetworkManager)->UseRealTime()->Repetitions(9)->ReportAggregatesOnly(true);

void BM_RawCurl(benchmark::State& state) {
    std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> headers(nullptr,
                                                                        &curl_slist_free_all);
    auto addHeader = [&](const std::string& line) {
        headers.reset(curl_slist_append(headers.release(), line.c_str()));
    };
    for (const auto& [name, value] : kKitHeaders) addHeader(name + ": " + value);
    addHeader(std::string("Authorization: Bearer ") + kToken);

    corvend::bench::timeRawGet(state, gSandbox->baseURL() + kPingPath, headers.get());
    gSandbox->clearRequests();
}
BENCHMARK(BM_RawCurl)->UseRealTime()->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    curl_global_init(CURL_GLOBAL_DEFAULT);
    if (!corvend::bench::initializeInterleaved(argc, argv)) return 1;

    {
        corvend::sandbox::Sandbox sandbox;
        try {
            sandbox.start();
        } catch (const std::exception& error) {
            std::fprintf(stderr, "cannot start the sandbox: %s\n", error.what());
            return 1;
        }
        gSandbox = &sandbox;
        corvend::bench::runAndPrintRatio("BM_NetworkManager", "BM_RawCurl",
                                         "NetworkManager/raw libcurl per GET");
        gSandbox = nullptr;
    }
    benchmark::Shutdown();
    curl_global_cleanup();
    return 0;
}
