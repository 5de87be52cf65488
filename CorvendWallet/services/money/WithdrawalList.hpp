#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "CorvendWallet/models/PagingResultMeta.hpp"
#include "CorvendWallet/services/money/Withdrawal.hpp"

namespace corvend {
class WithdrawalRepository;
}  // namespace corvend

namespace corvend::model {

// One page of the customer's withdrawals. Only the kit makes it, from the service's reply.
class WithdrawalList {
  public:
    // In the order of the reply.
    const std::vector<Withdrawal>& withdrawals() const noexcept { return withdrawals_; }
    // A list made by the kit always has it, its four fields absent when the reply had no
    // paging block.
    const std::optional<PagingResultMeta>& meta() const noexcept { return meta_; }

    // Field by field: a paging block whose fields are all absent differs from no block.
    friend bool operator==(const WithdrawalList&, const WithdrawalList&) = default;

  private:
    friend class corvend::WithdrawalRepository;

    WithdrawalList(std::vector<Withdrawal> withdrawals, std::optional<PagingResultMeta> meta)
        : withdrawals_(std::move(withdrawals)), meta_(std::move(meta)) {}

    std::vector<Withdrawal> withdrawals_;
    std::optional<PagingResultMeta> meta_;
};

}  // namespace corvend::model
