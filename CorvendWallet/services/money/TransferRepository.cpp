#include "CorvendWallet/services/money/TransferRepository.hpp"

#include <utility>

#include "CorvendWallet/services/money/PaymentFlowMapping.hpp"

namespace corvend {

TransferRepository::TransferRepository(
    std::shared_ptr<Networkable> networkManager,
    std::shared_ptr<DeviceFingerprintProvider> deviceFingerprintProvider)
    : flow_(std::move(networkManager), std::move(deviceFingerprintProvider)) {}

std::shared_ptr<TransferRepository> TransferRepository::make(
    std::shared_ptr<Networkable> networkManager,
    std::shared_ptr<DeviceFingerprintProvider> deviceFingerprintProvider) {
    return std::make_shared<TransferRepository>(std::move(networkManager),
                                                std::move(deviceFingerprintProvider));
}

model::CustomerTransfer TransferRepository::preview(const model::CustomerTransferRequest& request) {
    return mapTransfer(flow_.preview([&request](std::string fingerprint) {
        return TransferServiceEndpoint::CustomerTransferRequest::make(request,
                                                                      std::move(fingerprint));
    }));
}

model::CustomerTransfer TransferRepository::create(const model::TransferCreate& transferCreate) {
    return mapTransfer(flow_.changeStatus(transferCreate, PaymentFlowStatus::pending));
}

model::CustomerTransfer TransferRepository::confirm(const model::TransferConfirm& transferConfirm) {
    return mapTransfer(flow_.changeStatus(transferConfirm, PaymentFlowStatus::processing));
}

model::CustomerTransferList TransferRepository::getAll(
    const std::optional<model::GetTransferParameters>& parameters) {
    return mapTransferList(flow_.list(parameters));
}

model::CustomerTransfer TransferRepository::get(const std::string& id) {
    return mapTransfer(flow_.record(id));
}

model::CustomerTransfer TransferRepository::mapTransfer(
    const TransferServiceEndpoint::CustomerTransferResponse& response) {
    model::CustomerTransfer transfer;
    transfer.id_ = response.id;
    transfer.amount_ = response.amount;
    transfer.currencyCode_ = response.currencyCode;
    if (response.recipient) {
        transfer.recipient_ = model::CustomerTransfer::CustomerTransferRecipient(
            response.recipient->customerId, response.recipient->email);
    }
    transfer.merchantRefNum_ = response.merchantRefNum;
    transfer.fxQuote_ = response.fxQuote;
    transfer.transferDetails_ = toTransferDetails(response.transferDetails);
    transfer.fees_ = toSimpleFeePayments(response.fees);
    transfer.creationTime_ = response.creationTime;
    transfer.expirationTime_ = response.expirationTime;
    transfer.status_ = model::fromWire<model::PaymentStatus>(response.status);
    transfer.slipID_ = response.slipId;
    if (response.fxAmount) transfer.fxAmount_ = toFxAmount(*response.fxAmount);
    return transfer;
}

model::CustomerTransferList TransferRepository::mapTransferList(
    const TransferServiceEndpoint::CustomerTransferListResponse& response) {
    model::CustomerTransferList list;
    list.transfers_ = PaymentFlowMapping::records(response.transfers, &mapTransfer);
    list.meta_ = PaymentFlowMapping::pagingMeta(response.meta);
    return list;
}

}  // namespace corvend
