#pragma once

#include <memory>
#include <optional>
#include <string>

#include "CorvendWallet/services/money/PaymentFlowRepository.hpp"
#include "CorvendWallet/services/money/TransferService.hpp"
#include "CorvendWallet/services/money/TransferServiceEndpoint.hpp"

namespace corvend {

// The transfer service over the calls of TransferServiceEndpoint (see PaymentFlowRepository).
class TransferRepository final : public TransferService, public PaymentFlowRepository {
  public:
    using PaymentFlowRepository::PaymentFlowRepository;

    static std::shared_ptr<TransferRepository> make(
        std::shared_ptr<Networkable> networkManager,
        std::shared_ptr<DeviceFingerprintProvider> deviceFingerprintProvider);

    // The public record: texts the kit does not know read as `unknown`, absent fees as an
    // empty list, everything else copied. Never fails.
    static model::CustomerTransfer mapTransfer(
        const TransferServiceEndpoint::CustomerTransferResponse& response);
    // Each record in order; the paging block always present (all four fields absent when the
    // reply had none).
    static model::CustomerTransferList mapTransferList(
        const TransferServiceEndpoint::CustomerTransferListResponse& response);

  private:
    model::CustomerTransfer doPreview(const model::CustomerTransferRequest& request) override;
    model::CustomerTransfer doCreate(const model::TransferCreate& transferCreate) override;
    model::CustomerTransfer doConfirm(const model::TransferConfirm& transferConfirm) override;
    model::CustomerTransferList doGetAll(
        const std::optional<model::GetTransferParameters>& parameters) override;
    model::CustomerTransfer doGet(const std::string& id) override;
};

}  // namespace corvend
