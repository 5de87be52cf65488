#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/services/money/PaymentFlowRepository.hpp"
#include "CorvendWallet/services/money/WithdrawalService.hpp"
#include "CorvendWallet/services/money/WithdrawalServiceEndpoint.hpp"

namespace corvend {

// The withdrawal service over the withdrawal collection (see PaymentFlowRepository).
class WithdrawalRepository final : public WithdrawalService, public PaymentFlowRepository {
  public:
    using PaymentFlowRepository::PaymentFlowRepository;

    static std::shared_ptr<WithdrawalRepository> make(
        std::shared_ptr<Networkable> networkManager,
        std::shared_ptr<DeviceFingerprintProvider> fingerprintProvider);

    // The public withdrawal of a reply: enumerations read by their tables (`unknown` for any
    // text the kit does not know), absent fees as an empty list, the rest copied.
    static model::Withdrawal withdrawal(const WithdrawalServiceEndpoint::WithdrawalResponse& reply);

    // Each withdrawal in order, and paging that is always present (its four fields absent
    // when the reply had none).
    static model::WithdrawalList withdrawalList(
        const WithdrawalServiceEndpoint::WithdrawalListResponse& reply);

  private:
    std::vector<model::PaymentOptionDetails> doGetOptions() override;
    // Create and confirm send the status and properties alone: no fingerprint, no instrument.
    model::Withdrawal doCreate(const model::WithdrawalCreate& withdrawalCreate) override;
    model::Withdrawal doPreview(const model::WithdrawalRequest& withdrawalRequest) override;
    model::Withdrawal doConfirm(const model::WithdrawalConfirm& withdrawalConfirm) override;
    model::WithdrawalList doGetAll(
        const std::optional<model::GetWithdrawalsParameters>& getWithdrawalsParameters) override;
    model::Withdrawal doGet(const std::string& id) override;
};

}  // namespace corvend
