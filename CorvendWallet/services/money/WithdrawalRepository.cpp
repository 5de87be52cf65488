#include "CorvendWallet/services/money/WithdrawalRepository.hpp"

#include <utility>

#include "CorvendWallet/foundation/AskedRecord.hpp"
#include "CorvendWallet/services/money/PaymentFlowMapping.hpp"

namespace corvend {

namespace {
namespace Endpoints = WithdrawalServiceEndpoint;
}  // namespace

std::shared_ptr<WithdrawalRepository> WithdrawalRepository::make(
    std::shared_ptr<Networkable> networkManager,
    std::shared_ptr<DeviceFingerprintProvider> fingerprintProvider) {
    return std::make_shared<WithdrawalRepository>(std::move(networkManager),
                                                  std::move(fingerprintProvider));
}

std::vector<model::PaymentOptionDetails> WithdrawalRepository::doGetOptions() {
    return toPaymentOptionDetailsList(networkManager()->request(Endpoints::paymentOptions()));
}

model::Withdrawal WithdrawalRepository::doCreate(const model::WithdrawalCreate& withdrawalCreate) {
    return askedRecord(withdrawalCreate.id(),
                       withdrawal(networkManager()->request(Endpoints::updateWithdrawalStatus(
                           withdrawalCreate.id(), PaymentFlowStatus::pending,
                           toPaymentPropertyModels(withdrawalCreate.paymentProperties())))),
                       &model::Withdrawal::id);
}

model::Withdrawal WithdrawalRepository::doPreview(
    const model::WithdrawalRequest& withdrawalRequest) {
    return withdrawal(networkManager()->request(
        Endpoints::previewWithdrawal(withdrawalRequest, fingerprintProvider()->fingerprint())));
}

model::Withdrawal WithdrawalRepository::doConfirm(
    const model::WithdrawalConfirm& withdrawalConfirm) {
    return askedRecord(withdrawalConfirm.id(),
                       withdrawal(networkManager()->request(Endpoints::updateWithdrawalStatus(
                           withdrawalConfirm.id(), PaymentFlowStatus::processing,
                           toPaymentPropertyModels(withdrawalConfirm.paymentProperties())))),
                       &model::Withdrawal::id);
}

model::WithdrawalList WithdrawalRepository::doGetAll(
    const std::optional<model::GetWithdrawalsParameters>& getWithdrawalsParameters) {
    return withdrawalList(
        networkManager()->request(Endpoints::withdrawals(getWithdrawalsParameters)));
}

model::Withdrawal WithdrawalRepository::doGet(const std::string& id) {
    return askedRecord(id, withdrawal(networkManager()->request(Endpoints::withdrawal(id))),
                       &model::Withdrawal::id);
}

model::Withdrawal WithdrawalRepository::withdrawal(
    const WithdrawalServiceEndpoint::WithdrawalResponse& reply) {
    model::Withdrawal out;
    PaymentFlowMapping::fillRecord(out, reply);
    return out;
}

model::WithdrawalList WithdrawalRepository::withdrawalList(
    const WithdrawalServiceEndpoint::WithdrawalListResponse& reply) {
    return model::WithdrawalList(PaymentFlowMapping::records(reply.withdrawals, &withdrawal),
                                 PaymentFlowMapping::pagingMeta(reply.meta));
}

}  // namespace corvend
