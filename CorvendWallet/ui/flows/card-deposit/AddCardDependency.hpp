#pragma once

#include <memory>

#include "CorvendWallet/services/money/DepositService.hpp"
#include "CorvendWallet/foundation/Dependency.hpp"

namespace corvend {

// What the add-card screen needs of its flow.
class AddCardDependency : public virtual Dependency {
  public:
    virtual std::shared_ptr<DepositService> depositService() const = 0;
};

}  // namespace corvend
