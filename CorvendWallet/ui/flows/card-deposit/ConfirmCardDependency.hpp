#pragma once

#include <memory>

#include "CorvendWallet/services/money/DepositService.hpp"
#include "CorvendWallet/foundation/Dependency.hpp"

namespace corvend {

// What the confirm-card screen needs of its flow.
class ConfirmCardDependency : public virtual Dependency {
  public:
    virtual std::shared_ptr<DepositService> depositService() const = 0;
};

}  // namespace corvend
