#pragma once

#include "CorvendWallet/foundation/Error.hpp"
#include "CorvendWallet/services/money/CustomerDeposit.hpp"

namespace corvend {

// The deposit summary's presenter, told how the confirm step ended.
class DepositSummaryInteractorOutput {
  public:
    virtual ~DepositSummaryInteractorOutput() = default;
    virtual void didConfirm(const model::CustomerDeposit& deposit) = 0;
    virtual void didFail(const Error& error) = 0;
};

}  // namespace corvend
