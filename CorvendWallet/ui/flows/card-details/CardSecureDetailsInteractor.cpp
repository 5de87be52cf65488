#include "CorvendWallet/ui/flows/card-details/CardSecureDetailsInteractor.hpp"

#include <stdexcept>
#include <utility>

#include "CorvendWallet/foundation/ErrorCode.hpp"
#include "CorvendWallet/foundation/WalletError.hpp"
#include "CorvendWallet/models/DeviceInfoModel.hpp"

namespace corvend {

CardSecureDetailsInteractor::CardSecureDetailsInteractor(
    model::CardSecureDetailsRequest request, std::shared_ptr<Networkable> networkManager,
    std::shared_ptr<DeviceFingerprintProvider> fingerprintProvider)
    : request_(std::move(request)),
      networkManager_(std::move(networkManager)),
      fingerprintProvider_(std::move(fingerprintProvider)) {
    if (!networkManager_ || !fingerprintProvider_) {
        throw std::invalid_argument(
            "the secure-details screen needs a network manager and a fingerprint provider");
    }
}

void CardSecureDetailsInteractor::loadSecureDetails() {
    cancel();
    // A cancelled task, or one replaced by a newer load, reports nothing, even with its result
    // already on its way to the main queue.
    executingTask_ = FlowTask::run<platform::URL>(
        [self = shared_from_this()] { return self->fetchRedirectURL(); },
        [self = shared_from_this()](Result<platform::URL> result) {
            const auto output = self->output_.lock();
            if (!output) return;
            if (result) {
                output->showSecureDetails(*result);
            } else {
                output->showFailure();
            }
        });
}

void CardSecureDetailsInteractor::cancel() {
    if (executingTask_) executingTask_->cancel();
}

platform::URL CardSecureDetailsInteractor::fetchRedirectURL() const {
    const auto fingerprint = fingerprintProvider_->fingerprint();
    const auto reply = networkManager_->request(CardServiceEndpoint::secureDetails(
        request_.cardID(), {.language = request_.language(),
                            .flow = flow_,
                            .deviceInfo = DeviceInfoModel::mobileApp(fingerprint)}));
    auto url = platform::URL::make(reply.redirectUrl);
    if (!url) throw model::WalletError::internalError(model::ErrorCode::invalidRedirectURL);
    return std::move(*url);
}

}  // namespace corvend
