#pragma once

#include "CorvendWallet/services/money/PaymentFlowListParameters.hpp"

namespace corvend::model {

// The filter and paging of a withdrawal list: limit, merchantRefNum, offset and slipID, each
// sent as given when present (zero, negative and empty values included).
class GetWithdrawalsParameters : public PaymentFlowListParameters {
  public:
    using PaymentFlowListParameters::PaymentFlowListParameters;
};

}  // namespace corvend::model
