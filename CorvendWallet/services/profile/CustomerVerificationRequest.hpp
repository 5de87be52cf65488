#pragma once

#include <optional>
#include <string>
#include <utility>

namespace corvend::model {

// What starts an identity verification: the host's own reference and, optionally, the language
// of the verification pages. Both are sent unchanged.
class CustomerVerificationRequest {
  public:
    CustomerVerificationRequest(std::string merchantRefNum, std::optional<std::string> language)
        : merchantRefNum_(std::move(merchantRefNum)), language_(std::move(language)) {}

    const std::string& merchantRefNum() const noexcept { return merchantRefNum_; }
    const std::optional<std::string>& language() const noexcept { return language_; }

  private:
    std::string merchantRefNum_;
    std::optional<std::string> language_;
};

}  // namespace corvend::model
