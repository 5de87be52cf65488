#pragma once

// The raw side of the HTTP comparisons: one reused easy handle, run in place, each reply
// written into one string.

#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <cstddef>
#include <memory>
#include <string>

namespace corvend::bench {

// Times one GET of `url` per iteration over one easy handle (with `headers` when not null,
// which the caller keeps alive; trusting the authorities of `caFile` when not empty), after a
// first transfer that opens the connection. When that first transfer fails or does not answer
// 200, the benchmark is skipped with an error.
inline void timeRawGet(benchmark::State& state, const std::string& url,
                       curl_slist* headers = nullptr, const std::string& caFile = {}) {
    const std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> easy(curl_easy_init(),
                                                                   &curl_easy_cleanup);
    std::string body;
    auto append = +[](char* bytes, std::size_t size, std::size_t count, void* userdata) {
        static_cast<std::string*>(userdata)->append(bytes, size * count);
        return size * count;
    };
    curl_easy_setopt(easy.get(), CURLOPT_URL, url.c_str());
    if (headers) curl_easy_setopt(easy.get(), CURLOPT_HTTPHEADER, headers);
    if (!caFile.empty()) curl_easy_setopt(easy.get(), CURLOPT_CAINFO, caFile.c_str());
    curl_easy_setopt(easy.get(), CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy.get(), CURLOPT_WRITEFUNCTION, append);
    curl_easy_setopt(easy.get(), CURLOPT_WRITEDATA, &body);
    long status = 0;
    if (curl_easy_perform(easy.get()) != CURLE_OK ||
        curl_easy_getinfo(easy.get(), CURLINFO_RESPONSE_CODE, &status) != CURLE_OK ||
        status != 200) {
        state.SkipWithError("the raw transfer failed");
        return;
    }
    for (auto _ : state) {
        body.clear();
        curl_easy_perform(easy.get());
        benchmark::DoNotOptimize(body.data());
    }
}

}  // namespace corvend::bench
