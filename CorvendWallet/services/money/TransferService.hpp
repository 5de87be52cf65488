#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "CorvendWallet/core/foundation/Result.hpp"
#include "CorvendWallet/core/foundation/WalletOperationHandle.hpp"
#include "CorvendWallet/services/money/CustomerTransfer.hpp"
#include "CorvendWallet/services/money/CustomerTransferList.hpp"
#include "CorvendWallet/services/money/CustomerTransferRequest.hpp"
#include "CorvendWallet/services/money/GetTransferParameters.hpp"
#include "CorvendWallet/services/money/TransferConfirm.hpp"
#include "CorvendWallet/services/money/TransferCreate.hpp"

namespace corvend {

// Transfers from the signed-in customer to a recipient: preview, create ("PENDING"), confirm
// ("PROCESSING"), list and read. The service keeps no per-call state; the kit does not order
// concurrent calls, so a host starts create from preview's completion, and so on.
//
// An implementation must be owned by a std::shared_ptr: the completion forms keep the service
// alive until their work has ended. A type that overrides the blocking operations brings the
// completion forms back with `using TransferService::preview;` (and so on).
class TransferService : public std::enable_shared_from_this<TransferService> {
  public:
    using TransferCompletion = std::function<void(Result<model::CustomerTransfer>)>;
    using ListCompletion = std::function<void(Result<model::CustomerTransferList>)>;

    virtual ~TransferService() = default;

    // Each blocking operation throws model::WalletError, platform::CancellationError when the
    // current task is cancelled, and (preview only) the device fingerprint provider's error,
    // in which case nothing is sent. Never call one on the thread that drives the main queue.
    virtual model::CustomerTransfer preview(const model::CustomerTransferRequest& request) = 0;
    virtual model::CustomerTransfer create(const model::TransferCreate& transferCreate) = 0;
    virtual model::CustomerTransfer confirm(const model::TransferConfirm& transferConfirm) = 0;
    // Absent parameters list without any filter or paging.
    virtual model::CustomerTransferList getAll(
        const std::optional<model::GetTransferParameters>& parameters) = 0;
    virtual model::CustomerTransfer get(const std::string& id) = 0;

    // The completion forms: capture this service and a copy of the argument, run the blocking
    // operation in a new task and return that task as the handle, without waiting. The
    // completion (never empty) runs later on the main queue, once, with the value or the
    // operation's unchanged error; not at all when the operation ends cancelled. Throws
    // std::bad_weak_ptr when this service is not owned by a std::shared_ptr.
    std::shared_ptr<WalletOperationHandle> preview(model::CustomerTransferRequest request,
                                                   TransferCompletion completion);
    std::shared_ptr<WalletOperationHandle> create(model::TransferCreate transferCreate,
                                                  TransferCompletion completion);
    std::shared_ptr<WalletOperationHandle> confirm(model::TransferConfirm transferConfirm,
                                                   TransferCompletion completion);
    std::shared_ptr<WalletOperationHandle> getAll(
        std::optional<model::GetTransferParameters> parameters, ListCompletion completion);
    std::shared_ptr<WalletOperationHandle> get(std::string id, TransferCompletion completion);

  protected:
    TransferService() = default;
    TransferService(const TransferService&) = default;
    TransferService& operator=(const TransferService&) = default;
};

}  // namespace corvend
