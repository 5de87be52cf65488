#include "CorvendWallet/services/money/WithdrawalRepository.hpp"

#include <utility>

#include "CorvendWallet/services/money/PaymentFlowMapping.hpp"

namespace corvend {

using WithdrawalServiceEndpoint::Flow;

std::shared_ptr<WithdrawalRepository> WithdrawalRepository::make(
    std::shared_ptr<Networkable> networkManager,
    std::shared_ptr<DeviceFingerprintProvider> fingerprintProvider) {
    return std::make_shared<WithdrawalRepository>(std::move(networkManager),
                                                  std::move(fingerprintProvider));
}

std::vector<model::PaymentOptionDetails> WithdrawalRepository::doGetOptions() {
    return toPaymentOptionDetailsList(networkManager()->request(Flow::paymentOptions()));
}

model::Withdrawal WithdrawalRepository::doCreate(const model::WithdrawalCreate& withdrawalCreate) {
    return withdrawal(networkManager()->request(
        Flow::updateStatus(withdrawalCreate, PaymentFlowStatus::pending)));
}

model::Withdrawal WithdrawalRepository::doPreview(
    const model::WithdrawalRequest& withdrawalRequest) {
    auto body = WithdrawalServiceEndpoint::toWithdrawalRequest(
        withdrawalRequest, fingerprintProvider()->fingerprint());
    return withdrawal(networkManager()->request(Flow::preview(std::move(body))));
}

model::Withdrawal WithdrawalRepository::doConfirm(
    const model::WithdrawalConfirm& withdrawalConfirm) {
    return withdrawal(networkManager()->request(
        Flow::updateStatus(withdrawalConfirm, PaymentFlowStatus::processing)));
}

model::WithdrawalList WithdrawalRepository::doGetAll(
    const std::optional<model::GetWithdrawalsParameters>& getWithdrawalsParameters) {
    return withdrawalList(networkManager()->request(Flow::list(getWithdrawalsParameters)));
}

model::Withdrawal WithdrawalRepository::doGet(const std::string& id) {
    return withdrawal(networkManager()->request(Flow::record(id)));
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
