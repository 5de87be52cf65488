#pragma once

#include <string>
#include <utility>

namespace corvend::model {

// What the host asks a quote for: the currency to convert from and the one to convert to.
// Both codes reach the service as given: no check, no trimming, no change of case.
class FXRateRequest {
  public:
    FXRateRequest(std::string sourceCurrency, std::string targetCurrency)
        : sourceCurrency_(std::move(sourceCurrency)), targetCurrency_(std::move(targetCurrency)) {}

    const std::string& sourceCurrency() const noexcept { return sourceCurrency_; }
    const std::string& targetCurrency() const noexcept { return targetCurrency_; }

  private:
    std::string sourceCurrency_;
    std::string targetCurrency_;
};

}  // namespace corvend::model
