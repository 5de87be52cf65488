#pragma once

#include <optional>
#include <string>

#include "CorvendWallet/models/WireValueTable.hpp"

namespace corvend::model {

// The reason and free text of a transfer. Built by the host for requests; stored as given.
struct TransferDetails {
    enum class Reason {
        initialBalanceMigration,
        cryptoBuy,
        cryptoSell,
        tradingPair,
        deposit,
        withdrawal,
        merchantFee,
        refund,
        cancelation,
        bonus,
        currencyExchange,
        purchase,
        payout,
        peerTransfer,
        other,
        unknown
    };

    Reason reason = Reason::unknown;
    std::optional<std::string> description{};

    friend bool operator==(const TransferDetails&, const TransferDetails&) = default;
};

// The service spells the cancellation reason with one L. `unknown` is written as "UNKNOWN",
// which reads back as `unknown`.
template <>
struct WireValues<TransferDetails::Reason> {
    using Reason = TransferDetails::Reason;
    static constexpr auto table =
        wireValueTable(Reason::unknown, "UNKNOWN",
                       {{Reason::initialBalanceMigration, "INITIAL_BALANCE_MIGRATION"},
                        {Reason::cryptoBuy, "CRYPTO_BUY"},
                        {Reason::cryptoSell, "CRYPTO_SELL"},
                        {Reason::tradingPair, "TRADING_PAIR"},
                        {Reason::deposit, "DEPOSIT"},
                        {Reason::withdrawal, "WITHDRAWAL"},
                        {Reason::merchantFee, "MERCHANT_FEE"},
                        {Reason::refund, "REFUND"},
                        {Reason::cancelation, "CANCELATION"},
                        {Reason::bonus, "BONUS"},
                        {Reason::currencyExchange, "CURRENCY_EXCHANGE"},
                        {Reason::purchase, "PURCHASE"},
                        {Reason::payout, "PAYOUT"},
                        {Reason::peerTransfer, "PEER_TRANSFER"},
                        {Reason::other, "OTHER"}});
};

}  // namespace corvend::model
