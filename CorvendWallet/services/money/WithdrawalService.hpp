#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/foundation/CompletionBridge.hpp"
#include "CorvendWallet/models/PaymentOptionDetails.hpp"
#include "CorvendWallet/services/money/GetWithdrawalsParameters.hpp"
#include "CorvendWallet/services/money/Withdrawal.hpp"
#include "CorvendWallet/services/money/WithdrawalConfirm.hpp"
#include "CorvendWallet/services/money/WithdrawalCreate.hpp"
#include "CorvendWallet/services/money/WithdrawalList.hpp"
#include "CorvendWallet/services/money/WithdrawalRequest.hpp"

namespace corvend {

// Moving money out of the customer's wallet: the payment options, preview, create, confirm,
// and reading the customer's withdrawals. The shape of the operations and their contract: see
// runServiceOperation.
class WithdrawalService : public std::enable_shared_from_this<WithdrawalService> {
  public:
    using OptionsCompletion = std::function<void(Result<std::vector<model::PaymentOptionDetails>>)>;
    using WithdrawalCompletion = std::function<void(Result<model::Withdrawal>)>;
    using ListCompletion = std::function<void(Result<model::WithdrawalList>)>;

    virtual ~WithdrawalService() = default;

    // The ways money can leave the wallet, in the service's order.
    std::vector<model::PaymentOptionDetails> getOptions() {
        return callServiceOperation(*this, &WithdrawalService::doGetOptions);
    }
    std::shared_ptr<WalletOperationHandle> getOptions(OptionsCompletion completion) {
        return runServiceOperation(shared_from_this(), &WithdrawalService::doGetOptions,
                                   std::move(completion));
    }

    // Moves the previewed withdrawal to "PENDING" and returns it.
    model::Withdrawal create(const model::WithdrawalCreate& withdrawalCreate) {
        return callServiceOperation(*this, &WithdrawalService::doCreate, withdrawalCreate);
    }
    std::shared_ptr<WalletOperationHandle> create(model::WithdrawalCreate withdrawalCreate,
                                                  WithdrawalCompletion completion) {
        return runServiceOperation(shared_from_this(), &WithdrawalService::doCreate,
                                   std::move(completion), std::move(withdrawalCreate));
    }

    // A new withdrawal in "PREVIEW", priced by the service. Also throws the device-fingerprint
    // provider's error unchanged, in which case nothing is sent.
    model::Withdrawal preview(const model::WithdrawalRequest& withdrawalRequest) {
        return callServiceOperation(*this, &WithdrawalService::doPreview, withdrawalRequest);
    }
    std::shared_ptr<WalletOperationHandle> preview(model::WithdrawalRequest withdrawalRequest,
                                                   WithdrawalCompletion completion) {
        return runServiceOperation(shared_from_this(), &WithdrawalService::doPreview,
                                   std::move(completion), std::move(withdrawalRequest));
    }

    // Moves the created withdrawal to "PROCESSING" and returns it.
    model::Withdrawal confirm(const model::WithdrawalConfirm& withdrawalConfirm) {
        return callServiceOperation(*this, &WithdrawalService::doConfirm, withdrawalConfirm);
    }
    std::shared_ptr<WalletOperationHandle> confirm(model::WithdrawalConfirm withdrawalConfirm,
                                                   WithdrawalCompletion completion) {
        return runServiceOperation(shared_from_this(), &WithdrawalService::doConfirm,
                                   std::move(completion), std::move(withdrawalConfirm));
    }

    // One page of the customer's withdrawals; absent parameters list without filter or paging.
    model::WithdrawalList getAll(
        const std::optional<model::GetWithdrawalsParameters>& getWithdrawalsParameters) {
        return callServiceOperation(*this, &WithdrawalService::doGetAll, getWithdrawalsParameters);
    }
    std::shared_ptr<WalletOperationHandle> getAll(
        std::optional<model::GetWithdrawalsParameters> getWithdrawalsParameters,
        ListCompletion completion) {
        return runServiceOperation(shared_from_this(), &WithdrawalService::doGetAll,
                                   std::move(completion), std::move(getWithdrawalsParameters));
    }

    // The withdrawal with identifier `id`.
    model::Withdrawal get(const std::string& id) {
        return callServiceOperation(*this, &WithdrawalService::doGet, id);
    }
    std::shared_ptr<WalletOperationHandle> get(std::string id, WithdrawalCompletion completion) {
        return runServiceOperation(shared_from_this(), &WithdrawalService::doGet,
                                   std::move(completion), std::move(id));
    }

  protected:
    WithdrawalService() = default;
    WithdrawalService(const WithdrawalService&) = default;
    WithdrawalService& operator=(const WithdrawalService&) = default;

  private:
    virtual std::vector<model::PaymentOptionDetails> doGetOptions() = 0;
    virtual model::Withdrawal doCreate(const model::WithdrawalCreate& withdrawalCreate) = 0;
    virtual model::Withdrawal doPreview(const model::WithdrawalRequest& withdrawalRequest) = 0;
    virtual model::Withdrawal doConfirm(const model::WithdrawalConfirm& withdrawalConfirm) = 0;
    virtual model::WithdrawalList doGetAll(
        const std::optional<model::GetWithdrawalsParameters>& getWithdrawalsParameters) = 0;
    virtual model::Withdrawal doGet(const std::string& id) = 0;
};

}  // namespace corvend
