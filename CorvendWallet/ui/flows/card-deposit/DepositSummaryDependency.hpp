#pragma once

#include <memory>

#include "CorvendWallet/services/money/DepositService.hpp"
#include "CorvendWallet/foundation/Dependency.hpp"

namespace corvend {

// What the deposit summary needs: the service that confirms the deposit.
class DepositSummaryDependency : public virtual Dependency {
  public:
    virtual std::shared_ptr<DepositService> depositService() const = 0;
};

}  // namespace corvend
