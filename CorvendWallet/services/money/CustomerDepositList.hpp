#pragma once

#include <optional>
#include <vector>

#include "CorvendWallet/models/PagingResultMeta.hpp"
#include "CorvendWallet/services/money/CustomerDeposit.hpp"

namespace corvend {
class DepositRepository;
}  // namespace corvend

namespace corvend::model {

// One page of the customer's deposits. Only the kit makes it; the kit always sets the paging
// block, with every field absent when the service sent none.
class CustomerDepositList {
  public:
    // In the order of the reply.
    const std::vector<CustomerDeposit>& deposits() const noexcept { return deposits_; }
    const std::optional<PagingResultMeta>& meta() const noexcept { return meta_; }

    friend bool operator==(const CustomerDepositList&, const CustomerDepositList&) = default;

  private:
    friend class corvend::DepositRepository;

    CustomerDepositList() = default;

    std::vector<CustomerDeposit> deposits_;
    std::optional<PagingResultMeta> meta_;
};

}  // namespace corvend::model
