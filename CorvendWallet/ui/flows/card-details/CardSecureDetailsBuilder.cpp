#include "CorvendWallet/ui/flows/card-details/CardSecureDetailsBuilder.hpp"

#include "CorvendWallet/ui/flows/card-details/CardSecureDetailsInteractor.hpp"
#include "CorvendWallet/ui/flows/card-details/CardSecureDetailsViewController.hpp"

namespace corvend {

std::shared_ptr<platform::ui::ViewController> CardSecureDetailsBuilder::build(
    const model::CardSecureDetailsRequest& request) const {
    auto interactor = std::make_shared<CardSecureDetailsInteractor>(
        request, dependency()->networkManager(), dependency()->deviceFingerprintProvider());
    auto viewController = CardSecureDetailsViewController::make(interactor);
    interactor->setOutput(viewController);
    return viewController;
}

}  // namespace corvend
