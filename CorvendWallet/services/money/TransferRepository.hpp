#pragma once

#include <memory>
#include <optional>
#include <string>

#include "CorvendWallet/core/setup/DeviceFingerprintProvider.hpp"
#include "CorvendWallet/networking/Networkable.hpp"
#include "CorvendWallet/services/money/PaymentFlowClient.hpp"
#include "CorvendWallet/services/money/TransferService.hpp"
#include "CorvendWallet/services/money/TransferServiceEndpoint.hpp"

namespace corvend {

// The transfer service over one network manager and the kit's fingerprint provider. Each
// operation makes exactly one call (see TransferServiceEndpoint) and adds no error: whatever
// the provider or the network manager throws passes through unchanged. Holding no state of its
// own, it serves concurrent calls independently.
class TransferRepository final : public TransferService {
  public:
    // Throws std::invalid_argument when either object is null.
    TransferRepository(std::shared_ptr<Networkable> networkManager,
                       std::shared_ptr<DeviceFingerprintProvider> deviceFingerprintProvider);

    static std::shared_ptr<TransferRepository> make(
        std::shared_ptr<Networkable> networkManager,
        std::shared_ptr<DeviceFingerprintProvider> deviceFingerprintProvider);

    using TransferService::confirm;
    using TransferService::create;
    using TransferService::get;
    using TransferService::getAll;
    using TransferService::preview;

    // Asks for a fresh fingerprint first; when that fails nothing is sent.
    model::CustomerTransfer preview(const model::CustomerTransferRequest& request) override;
    model::CustomerTransfer create(const model::TransferCreate& transferCreate) override;
    model::CustomerTransfer confirm(const model::TransferConfirm& transferConfirm) override;
    model::CustomerTransferList getAll(
        const std::optional<model::GetTransferParameters>& parameters) override;
    model::CustomerTransfer get(const std::string& id) override;

    // The public record: texts the kit does not know read as `unknown`, absent fees as an
    // empty list, everything else copied. Never fails.
    static model::CustomerTransfer mapTransfer(
        const TransferServiceEndpoint::CustomerTransferResponse& response);
    // Each record in order; the paging block always present (all four fields absent when the
    // reply had none).
    static model::CustomerTransferList mapTransferList(
        const TransferServiceEndpoint::CustomerTransferListResponse& response);

  private:
    PaymentFlowClient<TransferServiceEndpoint::TransferFlow> flow_;
};

}  // namespace corvend
