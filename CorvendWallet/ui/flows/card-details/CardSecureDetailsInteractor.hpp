#pragma once

#include <memory>

#include "CorvendWallet/networking/Networkable.hpp"
#include "CorvendWallet/services/cards/CardSecureDetailsRequest.hpp"
#include "CorvendWallet/services/cards/CardServiceEndpoint.hpp"
#include "CorvendWallet/setup/DeviceFingerprintProvider.hpp"
#include "CorvendWallet/ui/flows/card-details/CardSecureDetailsInteractorInput.hpp"
#include "CorvendWallet/ui/flows/card-details/CardSecureDetailsInteractorOutput.hpp"
#include "CorvendWallet/ui/foundation/FlowTask.hpp"
#include "platform/url/URL.hpp"

namespace corvend {

// Fetches the address of a card's secure-details page: the device fingerprint, then the
// service's secure-details call with it. Used on the main thread; the blocking steps run in a
// task, whose result comes back through the main queue.
class CardSecureDetailsInteractor final
    : public CardSecureDetailsInteractorInput,
      public std::enable_shared_from_this<CardSecureDetailsInteractor> {
  public:
    CardSecureDetailsInteractor(model::CardSecureDetailsRequest request,
                                std::shared_ptr<Networkable> networkManager,
                                std::shared_ptr<DeviceFingerprintProvider> fingerprintProvider);

    void setOutput(std::weak_ptr<CardSecureDetailsInteractorOutput> output) {
        output_ = std::move(output);
    }

    void loadSecureDetails() override;
    void cancel() override;

  private:
    // The steps of one fetch, blocking: throws what the fingerprint provider or the network
    // manager throws, and model::WalletError "I0009" for a reply whose "redirectUrl" is no
    // absolute URL.
    platform::URL fetchRedirectURL() const;

    const model::CardSecureDetailsRequest request_;
    const CardServiceEndpoint::SecureDetailsFlow flow_ =
        CardServiceEndpoint::SecureDetailsFlow::showDetails;
    const std::shared_ptr<Networkable> networkManager_;
    const std::shared_ptr<DeviceFingerprintProvider> fingerprintProvider_;
    std::weak_ptr<CardSecureDetailsInteractorOutput> output_;
    std::shared_ptr<FlowTask> executingTask_;
};

}  // namespace corvend
