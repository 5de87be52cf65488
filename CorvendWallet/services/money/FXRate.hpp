#pragma once

#include <optional>
#include <string>
#include <utility>

#include "platform/foundation/Date.hpp"
#include "platform/foundation/Decimal.hpp"

namespace corvend {
class CurrencyExchangeRepository;
}  // namespace corvend

namespace corvend::model {

// One exchange-rate quote of the wallet service. Only the kit makes it, from the service's
// reply, and it passes every value on unchecked: an expiration before the creation, or a rate
// of zero, is kept as sent.
class FXRate {
  public:
    // The quote's identifier, which is also its identity; absent when the service sent none.
    const std::optional<std::string>& id() const noexcept { return id_; }
    const std::string& sourceCurrency() const noexcept { return sourceCurrency_; }
    const std::string& targetCurrency() const noexcept { return targetCurrency_; }
    const platform::Date& creationTime() const noexcept { return creationTime_; }
    const platform::Date& expirationTime() const noexcept { return expirationTime_; }
    // The rate with every digit the service sent: fxRate().toString() gives its text back.
    const platform::Decimal& fxRate() const noexcept { return fxRate_; }
    const std::optional<std::string>& sender() const noexcept { return sender_; }

  private:
    friend class corvend::CurrencyExchangeRepository;

    FXRate(std::optional<std::string> id, std::string sourceCurrency, std::string targetCurrency,
           platform::Date creationTime, platform::Date expirationTime, platform::Decimal fxRate,
           std::optional<std::string> sender)
        : id_(std::move(id)),
          sourceCurrency_(std::move(sourceCurrency)),
          targetCurrency_(std::move(targetCurrency)),
          creationTime_(creationTime),
          expirationTime_(expirationTime),
          fxRate_(fxRate),
          sender_(std::move(sender)) {}

    std::optional<std::string> id_;
    std::string sourceCurrency_;
    std::string targetCurrency_;
    platform::Date creationTime_;
    platform::Date expirationTime_;
    platform::Decimal fxRate_;
    std::optional<std::string> sender_;
};

}  // namespace corvend::model
