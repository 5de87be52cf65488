#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/core/foundation/Result.hpp"
#include "CorvendWallet/core/foundation/WalletOperationHandle.hpp"
#include "CorvendWallet/core/models/PaymentOptionDetails.hpp"
#include "CorvendWallet/services/money/GetWithdrawalsParameters.hpp"
#include "CorvendWallet/services/money/Withdrawal.hpp"
#include "CorvendWallet/services/money/WithdrawalConfirm.hpp"
#include "CorvendWallet/services/money/WithdrawalCreate.hpp"
#include "CorvendWallet/services/money/WithdrawalList.hpp"
#include "CorvendWallet/services/money/WithdrawalRequest.hpp"

namespace corvend {

// Moving money out of the customer's wallet: the payment options, preview, create, confirm,
// and reading the customer's withdrawals.
//
// An implementation must be owned by a std::shared_ptr: the completion forms keep the service
// alive until their work has ended. A type that overrides the blocking operations hides the
// completion forms of the same name; it brings them back with `using WithdrawalService::get;`
// (and the same for each other operation).
class WithdrawalService : public std::enable_shared_from_this<WithdrawalService> {
  public:
    using OptionsCompletion = std::function<void(Result<std::vector<model::PaymentOptionDetails>>)>;
    using WithdrawalCompletion = std::function<void(Result<model::Withdrawal>)>;
    using ListCompletion = std::function<void(Result<model::WithdrawalList>)>;

    virtual ~WithdrawalService() = default;

    // Every blocking operation throws model::WalletError, or platform::CancellationError when
    // the current task is cancelled, and blocks: never call one on the thread that drives the
    // main queue.

    // The ways money can leave the wallet, in the service's order.
    virtual std::vector<model::PaymentOptionDetails> getOptions() = 0;

    // Moves the previewed withdrawal to "PENDING" and returns it.
    virtual model::Withdrawal create(const model::WithdrawalCreate& withdrawalCreate) = 0;

    // A new withdrawal in "PREVIEW", priced by the service. Also throws the device-fingerprint
    // provider's error unchanged, in which case nothing is sent.
    virtual model::Withdrawal preview(const model::WithdrawalRequest& withdrawalRequest) = 0;

    // Moves the created withdrawal to "PROCESSING" and returns it.
    virtual model::Withdrawal confirm(const model::WithdrawalConfirm& withdrawalConfirm) = 0;

    // One page of the customer's withdrawals; absent parameters list without filter or paging.
    virtual model::WithdrawalList getAll(
        const std::optional<model::GetWithdrawalsParameters>& getWithdrawalsParameters) = 0;

    // The withdrawal with identifier `id`.
    virtual model::Withdrawal get(const std::string& id) = 0;

    // The completion forms: capture this service and a copy of the arguments, run the blocking
    // operation in a new task and return that task as the handle, without waiting. The
    // completion (never empty) runs later on the main queue, once, with the value or the
    // operation's unchanged error; not at all when the operation ends cancelled. Throws
    // std::bad_weak_ptr when this service is not owned by a std::shared_ptr.
    std::shared_ptr<WalletOperationHandle> getOptions(OptionsCompletion completion);
    std::shared_ptr<WalletOperationHandle> create(model::WithdrawalCreate withdrawalCreate,
                                                  WithdrawalCompletion completion);
    std::shared_ptr<WalletOperationHandle> preview(model::WithdrawalRequest withdrawalRequest,
                                                   WithdrawalCompletion completion);
    std::shared_ptr<WalletOperationHandle> confirm(model::WithdrawalConfirm withdrawalConfirm,
                                                   WithdrawalCompletion completion);
    std::shared_ptr<WalletOperationHandle> getAll(
        std::optional<model::GetWithdrawalsParameters> getWithdrawalsParameters,
        ListCompletion completion);
    std::shared_ptr<WalletOperationHandle> get(std::string id, WithdrawalCompletion completion);

  protected:
    WithdrawalService() = default;
    WithdrawalService(const WithdrawalService&) = default;
    WithdrawalService& operator=(const WithdrawalService&) = default;
};

}  // namespace corvend
