#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "CorvendWallet/models/WireValueTable.hpp"
#include "CorvendWallet/services/cards/MobileWalletType.hpp"

namespace corvend {
class CardRepository;
}  // namespace corvend

namespace corvend::model {

// One token of a card in a device wallet: read from cards, and sent back by the host to
// report a change of its status.
class MobileWalletTokenization {
  public:
    enum class MobileWalletStatus { completed, initiated, unknown };

    // The host's form: no wallet identifier, and the wallet type `applePay`.
    MobileWalletTokenization(std::string dpanRef, MobileWalletStatus status)
        : dpanRef_(std::move(dpanRef)), status_(status) {}

    // The reference of the device token.
    const std::string& dpanRef() const noexcept { return dpanRef_; }
    const std::optional<std::string>& walletID() const noexcept { return walletID_; }
    MobileWalletType walletType() const noexcept { return walletType_; }
    MobileWalletStatus status() const noexcept { return status_; }

    friend bool operator==(const MobileWalletTokenization&,
                           const MobileWalletTokenization&) = default;

  private:
    friend class corvend::CardRepository;

    MobileWalletTokenization(std::string dpanRef, std::optional<std::string> walletID,
                             MobileWalletType walletType, MobileWalletStatus status)
        : dpanRef_(std::move(dpanRef)),
          walletID_(std::move(walletID)),
          walletType_(walletType),
          status_(status) {}

    std::string dpanRef_;
    std::optional<std::string> walletID_;
    MobileWalletType walletType_ = MobileWalletType::applePay;
    MobileWalletStatus status_;
};

template <>
struct WireValues<MobileWalletTokenization::MobileWalletStatus> {
    using Status = MobileWalletTokenization::MobileWalletStatus;
    static constexpr auto table =
        wireValueTable(Status::unknown, "UNKNOWN",
                       {{Status::completed, "COMPLETED"}, {Status::initiated, "INITIATED"}});
};

// The tokenizations of one card, in the service's order.
struct MobileWalletTokenizationList {
    std::vector<MobileWalletTokenization> mobileWalletTokenizations;

    friend bool operator==(const MobileWalletTokenizationList&,
                           const MobileWalletTokenizationList&) = default;
};

}  // namespace corvend::model
