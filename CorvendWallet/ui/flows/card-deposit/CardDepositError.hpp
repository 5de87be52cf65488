#pragma once

#include <cstddef>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "CorvendWallet/foundation/WalletError.hpp"

namespace corvend {

// Why the card-deposit flow could not go on with what the service gave it.
class CardDepositError : public std::exception {
  public:
    enum Case {
        // The deposit options named no accepted card scheme.
        failedToLoadAcceptedCardsError,
        // Data the flow cannot use: a saved instrument that is not a card, a redirect without
        // its addresses, an unknown deposit action, a 3-D Secure address that is not a URL, a
        // reply that names another deposit than the flow's or another card than the one read.
        internalError,
    };

    CardDepositError(Case value) : case_(value) {}  // NOLINT: a case reads as its type

    // An internalError for a reply about deposit `named` to a step for deposit `own`: "the
    // reply named deposit dep-7, not deposit dep-1".
    static CardDepositError otherDepositNamed(std::string_view named, std::string_view own);
    // The same for a read of the saved card `own` that named card `named`.
    static CardDepositError otherCardNamed(std::string_view named, std::string_view own);

    // What `step`, a read or change of the flow's deposit `own`, returns: a reply that names
    // another deposit or none is otherDepositNamed, whether or not the kit refused it first.
    template <class Step>
    static auto ownDeposit(std::string_view own, Step step) {
        auto deposit = ownRecord("deposit", own, step);
        if (deposit.id() != own) throw otherDepositNamed(deposit.id(), own);
        return deposit;
    }

    // What `step`, a read or change of `record` `own`, returns; the kit's refusal of a reply
    // that named another (model::ErrorCode::otherRecordNamed) is this flow's internalError
    // naming both. Every other failure passes unchanged.
    template <class Step>
    static auto ownRecord(std::string_view record, std::string_view own, Step step) {
        try {
            return step();
        } catch (const model::WalletError& error) {
            const auto* internal = error.as<model::WalletError::InternalError>();
            if (!internal || !internal->namedRecord) throw;
            throw otherNamed(record, *internal->namedRecord, own);
        }
    }

    Case value() const noexcept { return case_; }
    // What the flow was told beyond its case, in words; null when nothing.
    const std::string* detail() const noexcept { return detail_.get(); }
    const char* what() const noexcept override;

    // The case alone, words aside: a host branches on `error == CardDepositError::internalError`
    // or keeps its handled cases in a set.
    friend bool operator==(const CardDepositError& lhs, const CardDepositError& rhs) noexcept {
        return lhs.case_ == rhs.case_;
    }

  private:
    CardDepositError(Case value, std::string detail);
    static CardDepositError otherNamed(std::string_view record, std::string_view named,
                                       std::string_view own);

    Case case_;
    // Shared, so that copying an exception never throws.
    std::shared_ptr<const std::string> detail_;
};

}  // namespace corvend

template <>
struct std::hash<corvend::CardDepositError> {
    std::size_t operator()(const corvend::CardDepositError& error) const noexcept {
        return std::hash<int>{}(error.value());
    }
};
