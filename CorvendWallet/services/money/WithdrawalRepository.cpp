#include "CorvendWallet/services/money/WithdrawalRepository.hpp"

#include <utility>

#include "CorvendWallet/services/money/PaymentFlowMapping.hpp"

namespace corvend {

WithdrawalRepository::WithdrawalRepository(
    std::shared_ptr<Networkable> networkManager,
    std::shared_ptr<DeviceFingerprintProvider> fingerprintProvider)
    : client_(std::move(networkManager), std::move(fingerprintProvider)) {}

std::shared_ptr<WithdrawalRepository> WithdrawalRepository::make(
    std::shared_ptr<Networkable> networkManager,
    std::shared_ptr<DeviceFingerprintProvider> fingerprintProvider) {
    return std::make_shared<WithdrawalRepository>(std::move(networkManager),
                                                  std::move(fingerprintProvider));
}

std::vector<model::PaymentOptionDetails> WithdrawalRepository::getOptions() {
    return client_.paymentOptions();
}

model::Withdrawal WithdrawalRepository::create(const model::WithdrawalCreate& withdrawalCreate) {
    return withdrawal(client_.changeStatus(withdrawalCreate, PaymentFlowStatus::pending));
}

model::Withdrawal WithdrawalRepository::preview(const model::WithdrawalRequest& withdrawalRequest) {
    return withdrawal(client_.preview([&](std::string fingerprint) {
        return WithdrawalServiceEndpoint::toWithdrawalRequest(withdrawalRequest,
                                                              std::move(fingerprint));
    }));
}

model::Withdrawal WithdrawalRepository::confirm(const model::WithdrawalConfirm& withdrawalConfirm) {
    return withdrawal(client_.changeStatus(withdrawalConfirm, PaymentFlowStatus::processing));
}

model::WithdrawalList WithdrawalRepository::getAll(
    const std::optional<model::GetWithdrawalsParameters>& getWithdrawalsParameters) {
    return withdrawalList(client_.list(getWithdrawalsParameters));
}

model::Withdrawal WithdrawalRepository::get(const std::string& id) {
    return withdrawal(client_.record(id));
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
