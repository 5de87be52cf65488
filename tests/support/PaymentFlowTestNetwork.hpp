#pragma once

// Test doubles shared by the money-movement unit tests: never linked into the kit.

#include <atomic>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "CorvendWallet/core/setup/DeviceFingerprintProvider.hpp"
#include "CorvendWallet/networking/Networkable.hpp"

namespace corvend::testing {

// Builds each request as a network manager would, records it, and answers 200 with `body`.
class PaymentFlowTestNetwork : public Networkable {
  public:
    struct Sent {
        std::string method;
        std::string url;
        std::optional<std::string> contentType;
        std::optional<std::string> body;
    };

    static inline const platform::URL kBaseURL =
        *platform::URL::make("https://wallet.example/api/");

    explicit PaymentFlowTestNetwork(std::string replyBody) : body_(std::move(replyBody)) {}

    void setBody(std::string replyBody) {
        std::lock_guard lock(mutex_);
        body_ = std::move(replyBody);
    }

    std::vector<Sent> sent() const {
        std::lock_guard lock(mutex_);
        return sent_;
    }

    // The one request sent so far; fails the test's expectation by throwing otherwise.
    Sent only() const {
        auto all = sent();
        if (all.size() != 1) throw std::logic_error("expected exactly one request");
        return all.front();
    }

  protected:
    void perform(const EndpointBase& endpoint, const ReplyHandler& handleReply) override {
        const auto request = endpoint.urlRequest(kBaseURL);
        std::string reply;
        {
            std::lock_guard lock(mutex_);
            sent_.push_back({request.httpMethod(), request.url().absoluteString(),
                             request.value("Content-Type"),
                             request.httpBody()
                                 ? std::optional(std::string(request.httpBody()->view()))
                                 : std::nullopt});
            reply = body_;
        }
        const platform::HTTPURLResponse response(request.url(), 200, {});
        handleReply(&response, platform::Data(reply), NetworkManagerErrorReporter::none());
    }

  private:
    mutable std::mutex mutex_;
    std::string body_;
    std::vector<Sent> sent_;
};

// Answers a fixed fingerprint, or throws `failure` when set; counts the calls.
class PaymentFlowTestFingerprints : public DeviceFingerprintProvider {
  public:
    explicit PaymentFlowTestFingerprints(std::string fingerprint = "fp-1")
        : fingerprint_(std::move(fingerprint)) {}

    std::string fingerprint() override {
        ++calls;
        if (fail) throw std::runtime_error("no profiling session");
        return fingerprint_;
    }

    std::atomic<bool> fail{false};
    std::atomic<int> calls{0};

  private:
    std::string fingerprint_;
};

}  // namespace corvend::testing
