#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>

#include "CorvendWallet/models/CardExpiryDate.hpp"
#include "CorvendWallet/models/CardScheme.hpp"
#include "CorvendWallet/models/WireValueTable.hpp"
#include "CorvendWallet/services/cards/DeliveryAddress.hpp"
#include "CorvendWallet/services/cards/MobileWalletTokenization.hpp"
#include "platform/foundation/Date.hpp"

namespace corvend {
class CardRepository;
}  // namespace corvend

namespace corvend::model {

// One prepaid card of the signed-in customer, as the service describes it. Only the kit makes
// it; values are kept as sent (an expiry of month 13 included).
class Card {
  public:
    enum class CardStatus {
        active,
        pending,
        cancelled,
        suspended,
        applied,
        digital,
        rejected,
        locked,
        expired,
        issued,
        unknown
    };
    static constexpr std::array<CardStatus, 11> allCardStatuses{
        CardStatus::active,  CardStatus::pending, CardStatus::cancelled, CardStatus::suspended,
        CardStatus::applied, CardStatus::digital, CardStatus::rejected,  CardStatus::locked,
        CardStatus::expired, CardStatus::issued,  CardStatus::unknown};

    enum class CardType { physical, virtual_, unknown };
    static constexpr std::array<CardType, 3> allCardTypes{CardType::physical, CardType::virtual_,
                                                          CardType::unknown};

    // The optional parts of a card that a read may include.
    enum class CardIncludesParam { tokenizations };

    struct Fields {
        std::string cardID;
        CardStatus status = CardStatus::unknown;
        std::optional<CardExpiryDate> expiry{};
        std::optional<std::string> bin{};       // leading digits of the card number
        std::optional<std::string> lastFour{};  // last four digits of the card number
        std::string customerID;
        CardType cardType = CardType::unknown;
        std::string programName;
        std::string currency;
        std::optional<std::string> mobile{};
        std::optional<DeliveryAddress> deliveryAddress{};
        platform::Date createdDate{};
        std::string accountID;
        CardScheme scheme = CardScheme::unknown;
        std::optional<platform::Date> activationDate{};
        bool isPinSet = false;
        std::optional<std::string> externalID{};
        // Present when the read asked for it (or the service sent it).
        std::optional<MobileWalletTokenizationList> tokenizations{};

        friend bool operator==(const Fields&, const Fields&) = default;
    };

    const Fields& fields() const noexcept { return fields_; }
    const std::string& cardID() const noexcept { return fields_.cardID; }
    CardStatus status() const noexcept { return fields_.status; }
    const std::optional<CardExpiryDate>& expiry() const noexcept { return fields_.expiry; }
    const std::optional<std::string>& bin() const noexcept { return fields_.bin; }
    const std::optional<std::string>& lastFour() const noexcept { return fields_.lastFour; }
    const std::string& customerID() const noexcept { return fields_.customerID; }
    CardType cardType() const noexcept { return fields_.cardType; }
    const std::string& programName() const noexcept { return fields_.programName; }
    const std::string& currency() const noexcept { return fields_.currency; }
    const std::optional<std::string>& mobile() const noexcept { return fields_.mobile; }
    const std::optional<DeliveryAddress>& deliveryAddress() const noexcept {
        return fields_.deliveryAddress;
    }
    const platform::Date& createdDate() const noexcept { return fields_.createdDate; }
    const std::string& accountID() const noexcept { return fields_.accountID; }
    CardScheme scheme() const noexcept { return fields_.scheme; }
    const std::optional<platform::Date>& activationDate() const noexcept {
        return fields_.activationDate;
    }
    bool isPinSet() const noexcept { return fields_.isPinSet; }
    const std::optional<std::string>& externalID() const noexcept { return fields_.externalID; }
    const std::optional<MobileWalletTokenizationList>& tokenizations() const noexcept {
        return fields_.tokenizations;
    }

    friend bool operator==(const Card&, const Card&) = default;

  private:
    friend class corvend::CardRepository;
    explicit Card(Fields fields) : fields_(std::move(fields)) {}

    Fields fields_;
};

// "UNKNOWN" is what the kit writes for `unknown` (update bodies, list filters).
template <>
struct WireValues<Card::CardStatus> {
    using S = Card::CardStatus;
    static constexpr auto table = wireValueTable(S::unknown, "UNKNOWN",
                                                 {{S::active, "ACTIVE"},
                                                  {S::pending, "PENDING"},
                                                  {S::cancelled, "CANCELLED"},
                                                  {S::suspended, "SUSPENDED"},
                                                  {S::applied, "APPLIED"},
                                                  {S::digital, "DIGITAL"},
                                                  {S::rejected, "REJECTED"},
                                                  {S::locked, "LOCKED"},
                                                  {S::expired, "EXPIRED"},
                                                  {S::issued, "ISSUED"}});
};

template <>
struct WireValues<Card::CardType> {
    using T = Card::CardType;
    static constexpr auto table = wireValueTable(
        T::unknown, "UNKNOWN", {{T::physical, "PHYSICAL"}, {T::virtual_, "VIRTUAL"}});
};

// One value, so no fallback is ever read; reads are never made.
template <>
struct WireValues<Card::CardIncludesParam> {
    using I = Card::CardIncludesParam;
    static constexpr auto table =
        wireValueTable(I::tokenizations, "TOKENIZATIONS", {{I::tokenizations, "TOKENIZATIONS"}});
};

}  // namespace corvend::model
