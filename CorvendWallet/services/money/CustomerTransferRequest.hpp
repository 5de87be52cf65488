#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "CorvendWallet/models/TransferDetails.hpp"
#include "CorvendWallet/services/money/CustomerTransfer.hpp"

namespace corvend::model {

// What the host previews a transfer with. Stored as given: no value is checked.
class CustomerTransferRequest {
  public:
    using Recipient = CustomerTransfer::CustomerTransferRecipient;

    // `amount` in minor units of `currencyCode`; `fxQuote` is the reference of a
    // currency-exchange quote, passed through unchanged.
    CustomerTransferRequest(std::int64_t amount, std::string currencyCode,
                            std::optional<Recipient> recipient,
                            std::optional<std::string> merchantRefNum,
                            std::optional<std::string> fxQuote, TransferDetails transferDetails)
        : amount_(amount),
          currencyCode_(std::move(currencyCode)),
          recipient_(std::move(recipient)),
          merchantRefNum_(std::move(merchantRefNum)),
          fxQuote_(std::move(fxQuote)),
          transferDetails_(std::move(transferDetails)) {}

    std::int64_t amount() const noexcept { return amount_; }
    const std::string& currencyCode() const noexcept { return currencyCode_; }
    const std::optional<Recipient>& recipient() const noexcept { return recipient_; }
    const std::optional<std::string>& merchantRefNum() const noexcept { return merchantRefNum_; }
    const std::optional<std::string>& fxQuote() const noexcept { return fxQuote_; }
    const TransferDetails& transferDetails() const noexcept { return transferDetails_; }

  private:
    std::int64_t amount_;
    std::string currencyCode_;
    std::optional<Recipient> recipient_;
    std::optional<std::string> merchantRefNum_;
    std::optional<std::string> fxQuote_;
    TransferDetails transferDetails_;
};

}  // namespace corvend::model
