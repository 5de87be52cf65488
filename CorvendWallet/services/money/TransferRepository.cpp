#include "CorvendWallet/services/money/TransferRepository.hpp"

#include <utility>

#include "CorvendWallet/foundation/AskedRecord.hpp"
#include "CorvendWallet/services/money/PaymentFlowMapping.hpp"

namespace corvend {

namespace {

Endpoint<TransferServiceEndpoint::CustomerTransferResponse> statusChange(
    const model::PaymentFlowStatusChange& change, PaymentFlowStatus status) {
    return TransferServiceEndpoint::updateTransferStatus(
        change.id(), status, toPaymentPropertyModels(change.paymentProperties()));
}

}  // namespace

std::shared_ptr<TransferRepository> TransferRepository::make(
    std::shared_ptr<Networkable> networkManager,
    std::shared_ptr<DeviceFingerprintProvider> deviceFingerprintProvider) {
    return std::make_shared<TransferRepository>(std::move(networkManager),
                                                std::move(deviceFingerprintProvider));
}

model::CustomerTransfer TransferRepository::doPreview(
    const model::CustomerTransferRequest& request) {
    return mapTransfer(networkManager()->request(
        TransferServiceEndpoint::previewTransfer(request, fingerprintProvider()->fingerprint())));
}

model::CustomerTransfer TransferRepository::doCreate(const model::TransferCreate& transferCreate) {
    return askedRecord(transferCreate.id(),
                       mapTransfer(networkManager()->request(
                           statusChange(transferCreate, PaymentFlowStatus::pending))),
                       &model::CustomerTransfer::id);
}

model::CustomerTransfer TransferRepository::doConfirm(
    const model::TransferConfirm& transferConfirm) {
    return askedRecord(transferConfirm.id(),
                       mapTransfer(networkManager()->request(
                           statusChange(transferConfirm, PaymentFlowStatus::processing))),
                       &model::CustomerTransfer::id);
}

model::CustomerTransferList TransferRepository::doGetAll(
    const std::optional<model::GetTransferParameters>& parameters) {
    return mapTransferList(
        networkManager()->request(TransferServiceEndpoint::transfers(parameters)));
}

model::CustomerTransfer TransferRepository::doGet(const std::string& id) {
    return askedRecord(
        id, mapTransfer(networkManager()->request(TransferServiceEndpoint::transfer(id))),
        &model::CustomerTransfer::id);
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
