#pragma once

#include <string>
#include <utility>

namespace corvend::model {

// Opens a currency account: the ISO code of its currency, sent as given.
class AddAccountRequest {
  public:
    explicit AddAccountRequest(std::string currencyCode) : currencyCode_(std::move(currencyCode)) {}

    const std::string& currencyCode() const noexcept { return currencyCode_; }

  private:
    std::string currencyCode_;
};

}  // namespace corvend::model
