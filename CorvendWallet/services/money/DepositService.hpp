#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/core/foundation/Result.hpp"
#include "CorvendWallet/core/foundation/WalletOperationHandle.hpp"
#include "CorvendWallet/core/models/PaymentOptionDetails.hpp"
#include "CorvendWallet/services/money/CustomerDeposit.hpp"
#include "CorvendWallet/services/money/CustomerDepositList.hpp"
#include "CorvendWallet/services/money/DepositConfirm.hpp"
#include "CorvendWallet/services/money/DepositCreate.hpp"
#include "CorvendWallet/services/money/DepositRequest.hpp"
#include "CorvendWallet/services/money/GetDepositsParameters.hpp"

namespace corvend {

// Deposits into the signed-in customer's wallet: preview one, create it ("PENDING"), confirm
// it ("PROCESSING"); read the payment options, the list, or one deposit.
//
// An implementation must be owned by a std::shared_ptr: the completion forms keep the service
// alive until their work has ended. A type that overrides the blocking operations hides the
// completion forms of the same name; it brings them back with `using DepositService::get;`
// (and the same for the other five).
class DepositService : public std::enable_shared_from_this<DepositService> {
  public:
    using OptionsCompletion = std::function<void(Result<std::vector<model::PaymentOptionDetails>>)>;
    using ListCompletion = std::function<void(Result<model::CustomerDepositList>)>;
    using Completion = std::function<void(Result<model::CustomerDeposit>)>;

    virtual ~DepositService() = default;

    // Every blocking operation throws model::WalletError, or platform::CancellationError when
    // the current task is cancelled, and blocks: never call one on the thread that drives the
    // main queue.

    // The payment options that deposits accept, in the service's order.
    virtual std::vector<model::PaymentOptionDetails> getOptions() = 0;

    // One page of deposits; no filter and the service's default paging without `parameters`.
    virtual model::CustomerDepositList getAll(
        const std::optional<model::GetDepositsParameters>& parameters) = 0;

    // The deposit `id`.
    virtual model::CustomerDeposit get(const std::string& id) = 0;

    // Previews `request` with this device's fingerprint; the deposit comes back in "PREVIEW".
    // Also throws the fingerprint provider's error unchanged, having sent nothing.
    virtual model::CustomerDeposit preview(const model::DepositRequest& request) = 0;

    // Moves the deposit to "PENDING", charging the given instrument.
    virtual model::CustomerDeposit create(const model::DepositCreate& create) = 0;

    // Moves the deposit to "PROCESSING".
    virtual model::CustomerDeposit confirm(const model::DepositConfirm& confirm) = 0;

    // The completion forms: capture this service and a copy of the argument, run the blocking
    // operation in a new task and return that task as the handle, without waiting. The
    // completion (never empty) runs later on the main queue, once, with the value or the
    // operation's unchanged error; not at all when the operation ends cancelled. Throw
    // std::bad_weak_ptr when this service is not owned by a std::shared_ptr.
    std::shared_ptr<WalletOperationHandle> getOptions(OptionsCompletion completion);
    std::shared_ptr<WalletOperationHandle> getAll(
        std::optional<model::GetDepositsParameters> parameters, ListCompletion completion);
    std::shared_ptr<WalletOperationHandle> get(std::string id, Completion completion);
    std::shared_ptr<WalletOperationHandle> preview(model::DepositRequest request,
                                                   Completion completion);
    std::shared_ptr<WalletOperationHandle> create(model::DepositCreate create,
                                                  Completion completion);
    std::shared_ptr<WalletOperationHandle> confirm(model::DepositConfirm confirm,
                                                   Completion completion);

  protected:
    DepositService() = default;
    DepositService(const DepositService&) = default;
    DepositService& operator=(const DepositService&) = default;
};

}  // namespace corvend
