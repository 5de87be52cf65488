#pragma once

#include "CorvendWallet/services/money/PaymentTerms.hpp"

namespace corvend::model {

// The host's description of a withdrawal to preview: exactly the shared terms (see PaymentTerms).
// The kit adds the device block itself when it sends the preview.
class WithdrawalRequest : public PaymentTerms {
  public:
    using PaymentTerms::PaymentTerms;
    // A request always names its terms.
    WithdrawalRequest() = delete;
};

}  // namespace corvend::model
