#pragma once

#include <optional>
#include <vector>

#include "CorvendWallet/models/PagingResultMeta.hpp"
#include "CorvendWallet/services/money/CustomerTransfer.hpp"

namespace corvend::model {

// One page of the customer's transfers. Only the kit makes it; the kit always sets the paging
// block, with every field absent when the service sent none.
class CustomerTransferList {
  public:
    // In the order of the reply.
    const std::vector<CustomerTransfer>& transfers() const noexcept { return transfers_; }
    const std::optional<PagingResultMeta>& meta() const noexcept { return meta_; }

    friend bool operator==(const CustomerTransferList&, const CustomerTransferList&) = default;

  private:
    friend class corvend::TransferRepository;

    CustomerTransferList() = default;

    std::vector<CustomerTransfer> transfers_;
    std::optional<PagingResultMeta> meta_;
};

}  // namespace corvend::model
