#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "CorvendWallet/foundation/CompletionBridge.hpp"
#include "CorvendWallet/services/money/CustomerTransfer.hpp"
#include "CorvendWallet/services/money/CustomerTransferList.hpp"
#include "CorvendWallet/services/money/CustomerTransferRequest.hpp"
#include "CorvendWallet/services/money/GetTransferParameters.hpp"
#include "CorvendWallet/services/money/TransferConfirm.hpp"
#include "CorvendWallet/services/money/TransferCreate.hpp"

namespace corvend {

// Transfers from the signed-in customer to a recipient: preview, create ("PENDING"), confirm
// ("PROCESSING"), list and read. The service keeps no per-call state; the kit does not order
// concurrent calls, so a host starts create from preview's completion, and so on. The shape of
// the operations and their contract: see runServiceOperation.
class TransferService : public std::enable_shared_from_this<TransferService> {
  public:
    using TransferCompletion = std::function<void(Result<model::CustomerTransfer>)>;
    using ListCompletion = std::function<void(Result<model::CustomerTransferList>)>;

    virtual ~TransferService() = default;

    // Also throws the device fingerprint provider's error, in which case nothing is sent.
    model::CustomerTransfer preview(const model::CustomerTransferRequest& request) {
        return callServiceOperation(*this, &TransferService::doPreview, request);
    }
    std::shared_ptr<WalletOperationHandle> preview(model::CustomerTransferRequest request,
                                                   TransferCompletion completion) {
        return runServiceOperation(shared_from_this(), &TransferService::doPreview,
                                   std::move(completion), std::move(request));
    }

    model::CustomerTransfer create(const model::TransferCreate& transferCreate) {
        return callServiceOperation(*this, &TransferService::doCreate, transferCreate);
    }
    std::shared_ptr<WalletOperationHandle> create(model::TransferCreate transferCreate,
                                                  TransferCompletion completion) {
        return runServiceOperation(shared_from_this(), &TransferService::doCreate,
                                   std::move(completion), std::move(transferCreate));
    }

    model::CustomerTransfer confirm(const model::TransferConfirm& transferConfirm) {
        return callServiceOperation(*this, &TransferService::doConfirm, transferConfirm);
    }
    std::shared_ptr<WalletOperationHandle> confirm(model::TransferConfirm transferConfirm,
                                                   TransferCompletion completion) {
        return runServiceOperation(shared_from_this(), &TransferService::doConfirm,
                                   std::move(completion), std::move(transferConfirm));
    }

    // Absent parameters list without any filter or paging.
    model::CustomerTransferList getAll(
        const std::optional<model::GetTransferParameters>& parameters) {
        return callServiceOperation(*this, &TransferService::doGetAll, parameters);
    }
    std::shared_ptr<WalletOperationHandle> getAll(
        std::optional<model::GetTransferParameters> parameters, ListCompletion completion) {
        return runServiceOperation(shared_from_this(), &TransferService::doGetAll,
                                   std::move(completion), std::move(parameters));
    }

    model::CustomerTransfer get(const std::string& id) {
        return callServiceOperation(*this, &TransferService::doGet, id);
    }
    std::shared_ptr<WalletOperationHandle> get(std::string id, TransferCompletion completion) {
        return runServiceOperation(shared_from_this(), &TransferService::doGet,
                                   std::move(completion), std::move(id));
    }

  protected:
    TransferService() = default;
    TransferService(const TransferService&) = default;
    TransferService& operator=(const TransferService&) = default;

  private:
    virtual model::CustomerTransfer doPreview(const model::CustomerTransferRequest& request) = 0;
    virtual model::CustomerTransfer doCreate(const model::TransferCreate& transferCreate) = 0;
    virtual model::CustomerTransfer doConfirm(const model::TransferConfirm& transferConfirm) = 0;
    virtual model::CustomerTransferList doGetAll(
        const std::optional<model::GetTransferParameters>& parameters) = 0;
    virtual model::CustomerTransfer doGet(const std::string& id) = 0;
};

}  // namespace corvend
