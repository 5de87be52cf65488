#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/core/setup/DeviceFingerprintProvider.hpp"
#include "CorvendWallet/networking/Networkable.hpp"
#include "CorvendWallet/services/money/PaymentFlowClient.hpp"
#include "CorvendWallet/services/money/WithdrawalService.hpp"
#include "CorvendWallet/services/money/WithdrawalServiceEndpoint.hpp"

namespace corvend {

// The withdrawal service over one network manager: each operation makes exactly one call to
// the service's withdrawal collection and maps the reply. It adds no error of its own (what
// the fingerprint provider or the network manager throws passes through unchanged) and keeps
// no state between calls, so concurrent calls are independent.
class WithdrawalRepository final : public WithdrawalService {
  public:
    // Throws std::invalid_argument when either object is null.
    WithdrawalRepository(std::shared_ptr<Networkable> networkManager,
                         std::shared_ptr<DeviceFingerprintProvider> fingerprintProvider);

    static std::shared_ptr<WithdrawalRepository> make(
        std::shared_ptr<Networkable> networkManager,
        std::shared_ptr<DeviceFingerprintProvider> fingerprintProvider);

    using WithdrawalService::confirm;
    using WithdrawalService::create;
    using WithdrawalService::get;
    using WithdrawalService::getAll;
    using WithdrawalService::getOptions;
    using WithdrawalService::preview;

    // GET of the collection's "/options", through one endpoint built once per process.
    std::vector<model::PaymentOptionDetails> getOptions() override;

    // POST {"status": "PENDING"} (and the properties when present) to the withdrawal's
    // "/status". Asks no fingerprint and sends no instrument.
    model::Withdrawal create(const model::WithdrawalCreate& withdrawalCreate) override;

    // Asks the fingerprint provider first (its error passes unchanged and nothing is sent),
    // then POSTs the request with the device block to the collection.
    model::Withdrawal preview(const model::WithdrawalRequest& withdrawalRequest) override;

    // As create, with "PROCESSING".
    model::Withdrawal confirm(const model::WithdrawalConfirm& withdrawalConfirm) override;

    // GET of the collection with the parameters' query items in order; none when absent.
    model::WithdrawalList getAll(
        const std::optional<model::GetWithdrawalsParameters>& getWithdrawalsParameters) override;

    // GET of the collection + "/" + `id` as one path segment (the empty identifier reads the
    // collection path followed by "/"). "." and ".." throw model::WalletError "I0001" before
    // anything is sent.
    model::Withdrawal get(const std::string& id) override;

    const std::shared_ptr<Networkable>& networkManager() const noexcept {
        return client_.networkManager();
    }
    const std::shared_ptr<DeviceFingerprintProvider>& fingerprintProvider() const noexcept {
        return client_.fingerprintProvider();
    }

    // The public withdrawal of a reply: enumerations read by their tables (`unknown` for any
    // text the kit does not know), absent fees as an empty list, the rest copied.
    static model::Withdrawal withdrawal(const WithdrawalServiceEndpoint::WithdrawalResponse& reply);

    // Each withdrawal in order, and paging that is always present (its four fields absent
    // when the reply had none).
    static model::WithdrawalList withdrawalList(
        const WithdrawalServiceEndpoint::WithdrawalListResponse& reply);

  private:
    PaymentFlowClient<WithdrawalServiceEndpoint::WithdrawalFlow> client_;
};

}  // namespace corvend
