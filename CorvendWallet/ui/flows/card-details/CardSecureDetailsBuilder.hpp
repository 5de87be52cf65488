#pragma once

#include <memory>

#include "CorvendWallet/foundation/Builder.hpp"
#include "CorvendWallet/services/cards/CardSecureDetailsDependency.hpp"
#include "CorvendWallet/services/cards/CardSecureDetailsRequest.hpp"
#include "platform/ui/ViewController.hpp"

namespace corvend {

// Makes the card secure-details screen: its view controller owns the whole module.
class CardSecureDetailsBuilder final : public Builder<CardSecureDetailsDependency> {
  public:
    using Builder::Builder;

    // Wires the interactor (the request, the "SHOW_DETAILS" flow, the dependency's network
    // manager and fingerprint provider) to a new view controller. Sends nothing, never fails.
    std::shared_ptr<platform::ui::ViewController> build(
        const model::CardSecureDetailsRequest& request) const;
};

}  // namespace corvend
