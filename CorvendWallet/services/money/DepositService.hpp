#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/foundation/CompletionBridge.hpp"
#include "CorvendWallet/models/PaymentOptionDetails.hpp"
#include "CorvendWallet/services/money/CustomerDeposit.hpp"
#include "CorvendWallet/services/money/CustomerDepositList.hpp"
#include "CorvendWallet/services/money/DepositConfirm.hpp"
#include "CorvendWallet/services/money/DepositCreate.hpp"
#include "CorvendWallet/services/money/DepositRequest.hpp"
#include "CorvendWallet/services/money/GetDepositsParameters.hpp"

namespace corvend {

// Deposits into the signed-in customer's wallet: preview one, create it ("PENDING"), confirm
// it ("PROCESSING"); read the payment options, the list, or one deposit. The shape of the
// operations and their contract: see runServiceOperation.
class DepositService : public std::enable_shared_from_this<DepositService> {
  public:
    using OptionsCompletion = std::function<void(Result<std::vector<model::PaymentOptionDetails>>)>;
    using ListCompletion = std::function<void(Result<model::CustomerDepositList>)>;
    using Completion = std::function<void(Result<model::CustomerDeposit>)>;

    virtual ~DepositService() = default;

    // The payment options that deposits accept, in the service's order.
    std::vector<model::PaymentOptionDetails> getOptions() {
        return callServiceOperation(*this, &DepositService::doGetOptions);
    }
    std::shared_ptr<WalletOperationHandle> getOptions(OptionsCompletion completion) {
        return runServiceOperation(shared_from_this(), &DepositService::doGetOptions,
                                   std::move(completion));
    }

    // One page of deposits; no filter and the service's default paging without `parameters`.
    model::CustomerDepositList getAll(
        const std::optional<model::GetDepositsParameters>& parameters) {
        return callServiceOperation(*this, &DepositService::doGetAll, parameters);
    }
    std::shared_ptr<WalletOperationHandle> getAll(
        std::optional<model::GetDepositsParameters> parameters, ListCompletion completion) {
        return runServiceOperation(shared_from_this(), &DepositService::doGetAll,
                                   std::move(completion), std::move(parameters));
    }

    // The deposit `id`.
    model::CustomerDeposit get(const std::string& id) {
        return callServiceOperation(*this, &DepositService::doGet, id);
    }
    std::shared_ptr<WalletOperationHandle> get(std::string id, Completion completion) {
        return runServiceOperation(shared_from_this(), &DepositService::doGet,
                                   std::move(completion), std::move(id));
    }

    // Previews `request` with this device's fingerprint; the deposit comes back in "PREVIEW".
    // Also throws the fingerprint provider's error unchanged, having sent nothing.
    model::CustomerDeposit preview(const model::DepositRequest& request) {
        return callServiceOperation(*this, &DepositService::doPreview, request);
    }
    std::shared_ptr<WalletOperationHandle> preview(model::DepositRequest request,
                                                   Completion completion) {
        return runServiceOperation(shared_from_this(), &DepositService::doPreview,
                                   std::move(completion), std::move(request));
    }

    // Moves the deposit to "PENDING", charging the given instrument.
    model::CustomerDeposit create(const model::DepositCreate& create) {
        return callServiceOperation(*this, &DepositService::doCreate, create);
    }
    std::shared_ptr<WalletOperationHandle> create(model::DepositCreate create,
                                                  Completion completion) {
        return runServiceOperation(shared_from_this(), &DepositService::doCreate,
                                   std::move(completion), std::move(create));
    }

    // Moves the deposit to "PROCESSING".
    model::CustomerDeposit confirm(const model::DepositConfirm& confirm) {
        return callServiceOperation(*this, &DepositService::doConfirm, confirm);
    }
    std::shared_ptr<WalletOperationHandle> confirm(model::DepositConfirm confirm,
                                                   Completion completion) {
        return runServiceOperation(shared_from_this(), &DepositService::doConfirm,
                                   std::move(completion), std::move(confirm));
    }

  protected:
    DepositService() = default;
    DepositService(const DepositService&) = default;
    DepositService& operator=(const DepositService&) = default;

  private:
    virtual std::vector<model::PaymentOptionDetails> doGetOptions() = 0;
    virtual model::CustomerDepositList doGetAll(
        const std::optional<model::GetDepositsParameters>& parameters) = 0;
    virtual model::CustomerDeposit doGet(const std::string& id) = 0;
    virtual model::CustomerDeposit doPreview(const model::DepositRequest& request) = 0;
    virtual model::CustomerDeposit doCreate(const model::DepositCreate& create) = 0;
    virtual model::CustomerDeposit doConfirm(const model::DepositConfirm& confirm) = 0;
};

}  // namespace corvend
