#pragma once

#include <memory>
#include <string>

#include "CorvendWallet/networking/Networkable.hpp"
#include "CorvendWallet/services/history/AuthorizationHistoryMapper.hpp"
#include "CorvendWallet/services/history/AuthorizationHistoryService.hpp"

namespace corvend {

// The card authorization history over one network manager, its replies mapped by `mapper`. It
// adds no error and keeps no state, so concurrent calls are independent.
class AuthorizationHistoryRepository final : public AuthorizationHistoryService {
  public:
    // Throws std::invalid_argument for a null `networkManager` or a mapper without both
    // functions.
    AuthorizationHistoryRepository(std::shared_ptr<Networkable> networkManager,
                                   AuthorizationHistoryMapper mapper);

    static std::shared_ptr<AuthorizationHistoryRepository> make(
        std::shared_ptr<Networkable> networkManager,
        AuthorizationHistoryMapper mapper = AuthorizationHistoryMapper::standard());

    const std::shared_ptr<Networkable>& networkManager() const noexcept { return networkManager_; }

  private:
    model::AuthorizationList doGetAuthorizationHistory(const Parameters& parameters) override;
    model::Authorization doGetAuthorization(const std::string& id) override;

    const std::shared_ptr<Networkable> networkManager_;
    const AuthorizationHistoryMapper mapper_;
};

}  // namespace corvend
