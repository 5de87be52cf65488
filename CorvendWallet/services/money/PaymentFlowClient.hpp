#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "CorvendWallet/core/setup/DeviceFingerprintProvider.hpp"
#include "CorvendWallet/core/models/PaymentOptionDetails.hpp"
#include "CorvendWallet/networking/Networkable.hpp"
#include "CorvendWallet/services/money/PaymentFlow.hpp"
#include "CorvendWallet/services/money/PaymentFlowStatusChange.hpp"
#include "CorvendWallet/services/money/PaymentFlowStatusUpdate.hpp"

namespace corvend {

// What a money-movement repository does with its network manager and fingerprint provider:
// each call performs exactly one PaymentFlow<D> endpoint and returns the decoded wire reply
// for the repository to map. It adds no error: whatever the provider or the network manager
// throws (model::WalletError, platform::CancellationError, ...) passes through unchanged.
// Holds no per-call state, so concurrent calls are independent. Every call blocks: never call
// one on the thread that drives the main queue.
template <PaymentFlowDomain D>
class PaymentFlowClient {
  public:
    using Flow = PaymentFlow<D>;

    // Throws std::invalid_argument when either object is null.
    PaymentFlowClient(std::shared_ptr<Networkable> networkManager,
                      std::shared_ptr<DeviceFingerprintProvider> fingerprintProvider)
        : networkManager_(std::move(networkManager)),
          fingerprintProvider_(std::move(fingerprintProvider)) {
        if (!networkManager_ || !fingerprintProvider_) {
            throw std::invalid_argument(
                "a payment flow needs a network manager and a "
                "device fingerprint provider");
        }
    }

    // Asks the provider for a fresh fingerprint, then sends the preview whose body is
    // `makeBody(fingerprint)`. When the provider throws, nothing is sent.
    template <class MakeBody>
    typename Flow::Record preview(MakeBody&& makeBody) const {
        const std::string fingerprint = fingerprintProvider_->fingerprint();
        return networkManager_->request(
            Flow::preview(std::forward<MakeBody>(makeBody)(fingerprint)));
    }

    // Moves the record `change.id()` to `status`, with its properties converted in order.
    typename Flow::Record changeStatus(const model::PaymentFlowStatusChange& change,
                                       PaymentFlowStatus status) const {
        return updateStatus(change.id(),
                            PaymentStatusUpdateRequest::make(status, change.paymentProperties()));
    }

    // The status change with a domain body of its own.
    template <class Body>
    typename Flow::Record updateStatus(std::string_view id, Body body) const {
        return networkManager_->request(Flow::updateStatus(id, std::move(body)));
    }

    template <class Parameters>
    typename Flow::Page list(const std::optional<Parameters>& parameters) const {
        return networkManager_->request(Flow::list(parameters));
    }

    typename Flow::Record record(std::string_view id) const {
        return networkManager_->request(Flow::record(id));
    }

    // The payment options, mapped in the reply's order.
    std::vector<model::PaymentOptionDetails> paymentOptions() const {
        return WithdrawalServiceEndpoint::toPaymentOptionDetailsList(
            networkManager_->request(Flow::paymentOptions()));
    }

    const std::shared_ptr<Networkable>& networkManager() const noexcept { return networkManager_; }
    const std::shared_ptr<DeviceFingerprintProvider>& fingerprintProvider() const noexcept {
        return fingerprintProvider_;
    }

  private:
    std::shared_ptr<Networkable> networkManager_;
    std::shared_ptr<DeviceFingerprintProvider> fingerprintProvider_;
};

}  // namespace corvend
