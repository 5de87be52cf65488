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
    out.amount_ = reply.amount;
    out.currencyCode_ = reply.currencyCode;
    out.paymentOption_ = model::fromWire<model::PaymentOptionType>(reply.paymentOption);
    if (reply.paymentInstrumentReference) {
        out.paymentInstrumentReference_ =
            PaymentFlowMapping::instrumentReference(*reply.paymentInstrumentReference);
    }
    out.merchantRefNum_ = reply.merchantRefNum;
    out.paymentProperties_ = toPaymentProperties(reply.paymentProperties);
    out.id_ = reply.id;
    out.accountID_ = reply.accountId;
    out.customerID_ = reply.customerId;
    out.creationTime_ = reply.creationTime;
    out.expirationTime_ = reply.expirationTime;
    out.fees_ = toSimpleFeePayments(reply.fees);
    out.fundingTransactionID_ = reply.fundingTransactionId;
    out.slipID_ = reply.slipId;
    out.status_ = model::fromWire<model::PaymentStatus>(reply.status);
    out.statusReason_ = reply.statusReason;
    return out;
}

model::WithdrawalList WithdrawalRepository::withdrawalList(
    const WithdrawalServiceEndpoint::WithdrawalListResponse& reply) {
    return model::WithdrawalList(PaymentFlowMapping::records(reply.withdrawals, &withdrawal),
                                 PaymentFlowMapping::pagingMeta(reply.meta));
}

}  // namespace corvend
