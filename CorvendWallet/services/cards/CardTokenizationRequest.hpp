#pragma once

#include <optional>
#include <string>
#include <utility>

#include "CorvendWallet/services/cards/MobileWalletType.hpp"

namespace corvend::model {

// What the device wallet hands over to add a card; passed to the service unchanged. The
// wallet type is always `applePay`.
class CardTokenizationRequest {
  public:
    CardTokenizationRequest(std::optional<std::string> leafCertificate,
                            std::optional<std::string> subordinateCertificate,
                            std::optional<std::string> nonce,
                            std::optional<std::string> nonceSignature)
        : leafCertificate_(std::move(leafCertificate)),
          subordinateCertificate_(std::move(subordinateCertificate)),
          nonce_(std::move(nonce)),
          nonceSignature_(std::move(nonceSignature)) {}

    MobileWalletType walletType() const noexcept { return MobileWalletType::applePay; }
    const std::optional<std::string>& leafCertificate() const noexcept { return leafCertificate_; }
    const std::optional<std::string>& subordinateCertificate() const noexcept {
        return subordinateCertificate_;
    }
    const std::optional<std::string>& nonce() const noexcept { return nonce_; }
    const std::optional<std::string>& nonceSignature() const noexcept { return nonceSignature_; }

  private:
    std::optional<std::string> leafCertificate_;
    std::optional<std::string> subordinateCertificate_;
    std::optional<std::string> nonce_;
    std::optional<std::string> nonceSignature_;
};

}  // namespace corvend::model
