#pragma once

#include <memory>
#include <optional>
#include <string>

#include "CorvendWallet/networking/Networkable.hpp"
#include "CorvendWallet/services/history/TransactionHistoryMapper.hpp"
#include "CorvendWallet/services/history/TransactionHistoryService.hpp"

namespace corvend {

// The transaction history over one network manager, its replies mapped by `mapper`. It adds no
// error and keeps no state, so concurrent calls are independent.
class TransactionHistoryRepository final : public TransactionHistoryService {
  public:
    // Throws std::invalid_argument for a null `networkManager` or a mapper without both
    // functions.
    TransactionHistoryRepository(std::shared_ptr<Networkable> networkManager,
                                 TransactionHistoryMapper mapper);

    static std::shared_ptr<TransactionHistoryRepository> make(
        std::shared_ptr<Networkable> networkManager,
        TransactionHistoryMapper mapper = TransactionHistoryMapper::standard());

    const std::shared_ptr<Networkable>& networkManager() const noexcept { return networkManager_; }

  private:
    model::TransactionList doGetTransactionHistory(
        const std::optional<model::GetTransactionHistoryParameters>& parameters) override;
    model::Transaction doGetTransaction(const std::string& transactionID) override;

    const std::shared_ptr<Networkable> networkManager_;
    const TransactionHistoryMapper mapper_;
};

}  // namespace corvend
