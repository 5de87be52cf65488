#pragma once

#include <vector>

#include "CorvendWallet/models/PagingResultMeta.hpp"
#include "CorvendWallet/services/history/Authorization.hpp"

namespace corvend::model {

// One page of the card authorization history. Only the kit makes it.
class AuthorizationList {
  public:
    // In the order of the reply.
    const std::vector<Authorization>& authorizations() const noexcept { return authorizations_; }
    // Always present: every field absent when the service sent no paging block.
    const PagingResultMeta& meta() const noexcept { return meta_; }

    friend bool operator==(const AuthorizationList&, const AuthorizationList&) = default;

  private:
    friend struct corvend::AuthorizationHistoryMapper;

    AuthorizationList() = default;

    std::vector<Authorization> authorizations_;
    PagingResultMeta meta_;
};

}  // namespace corvend::model
