#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/services/money/PaymentFlowRepository.hpp"
#include "CorvendWallet/services/money/WithdrawalService.hpp"
#include "CorvendWallet/services/money/WithdrawalServiceEndpoint.hpp"

namespace corvend {

// The withdrawal service: each operation makes exactly one call to the service's withdrawal
// collection through the network manager, adds no error of its own, and maps the reply.
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
    // GET of the collection's "/options", through one endpoint built once per process.
    std::vector<model::PaymentOptionDetails> doGetOptions() override;
    // POST {"status": "PENDING"} (and the properties when present) to the withdrawal's
    // "/status". Asks no fingerprint and sends no instrument.
    model::Withdrawal doCreate(const model::WithdrawalCreate& withdrawalCreate) override;
    // Asks the fingerprint provider first (its error passes unchanged and nothing is sent),
    // then POSTs the request with the device block to the collection.
    model::Withdrawal doPreview(const model::WithdrawalRequest& withdrawalRequest) override;
    // As create, with "PROCESSING".
    model::Withdrawal doConfirm(const model::WithdrawalConfirm& withdrawalConfirm) override;
    // GET of the collection with the parameters' query items in order; none when absent.
    model::WithdrawalList doGetAll(
        const std::optional<model::GetWithdrawalsParameters>& getWithdrawalsParameters) override;
    // GET of the collection + "/" + `id` as one path segment.
    model::Withdrawal doGet(const std::string& id) override;
};

}  // namespace corvend
