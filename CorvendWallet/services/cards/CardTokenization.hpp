#pragma once

#include <optional>
#include <string>

#include "CorvendWallet/models/WireValueTable.hpp"
#include "CorvendWallet/services/cards/Customer.hpp"

namespace corvend::model {

// What a device wallet needs to add a card; passed through from the service unchanged.
struct CardTokenization {
    enum class CardNetworkType { cardNetworkVisa, cardNetworkMastercard, unknown };
    enum class CardTokenProvider { tokenProviderVisa, tokenProviderMastercard, unknown };

    std::optional<std::string> opaquePaymentCard{};
    std::optional<std::string> encryptedPassData{};
    std::optional<std::string> ephemeralPublicKey{};
    std::optional<std::string> activationData{};
    CardNetworkType cardNetwork = CardNetworkType::unknown;
    CardTokenProvider tokenProvider = CardTokenProvider::unknown;
    std::optional<Customer> customer{};
    std::string cardLastDigits;

    friend bool operator==(const CardTokenization&, const CardTokenization&) = default;
};

// Read only; the full prefixed strings, never the bare brand.
template <>
struct WireValues<CardTokenization::CardNetworkType> {
    using N = CardTokenization::CardNetworkType;
    static constexpr auto table =
        wireValueTable(N::unknown, "UNKNOWN",
                       {{N::cardNetworkVisa, "CARD_NETWORK_VISA"},
                        {N::cardNetworkMastercard, "CARD_NETWORK_MASTERCARD"}});
};

template <>
struct WireValues<CardTokenization::CardTokenProvider> {
    using P = CardTokenization::CardTokenProvider;
    static constexpr auto table =
        wireValueTable(P::unknown, "UNKNOWN",
                       {{P::tokenProviderVisa, "TOKEN_PROVIDER_VISA"},
                        {P::tokenProviderMastercard, "TOKEN_PROVIDER_MASTERCARD"}});
};

}  // namespace corvend::model
