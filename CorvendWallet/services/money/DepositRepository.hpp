#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/core/setup/DeviceFingerprintProvider.hpp"
#include "CorvendWallet/networking/Networkable.hpp"
#include "CorvendWallet/services/money/DepositService.hpp"
#include "CorvendWallet/services/money/DepositServiceEndpoint.hpp"
#include "CorvendWallet/services/money/PaymentFlowClient.hpp"

namespace corvend {

// The deposit service over one network manager and the device fingerprint provider. Each
// operation makes exactly one request; it adds no error, and maps every reply without
// failing (texts it does not know read as `unknown`). Holding no state of its own, it serves
// concurrent calls independently.
class DepositRepository final : public DepositService {
  public:
    // Throws std::invalid_argument when either object is null.
    DepositRepository(std::shared_ptr<Networkable> networkManager,
                      std::shared_ptr<DeviceFingerprintProvider> fingerprintProvider);

    static std::shared_ptr<DepositRepository> make(
        std::shared_ptr<Networkable> networkManager,
        std::shared_ptr<DeviceFingerprintProvider> fingerprintProvider);

    using DepositService::confirm;
    using DepositService::create;
    using DepositService::get;
    using DepositService::getAll;
    using DepositService::getOptions;
    using DepositService::preview;

    // Whatever the network manager throws passes through unchanged: model::WalletError
    // (notConfigured, the service's errors, "I0001" for the identifiers "." and "..", "I0005"
    // for an undecodable reply) or platform::CancellationError. Only preview asks the
    // fingerprint provider, and sends nothing when it throws.
    std::vector<model::PaymentOptionDetails> getOptions() override;
    model::CustomerDepositList getAll(
        const std::optional<model::GetDepositsParameters>& parameters) override;
    model::CustomerDeposit get(const std::string& id) override;
    model::CustomerDeposit preview(const model::DepositRequest& request) override;
    // The instrument is sent in its flat wire form; one the kit cannot write (type `unknown`,
    // or not the structure its type names) is left out.
    model::CustomerDeposit create(const model::DepositCreate& create) override;
    model::CustomerDeposit confirm(const model::DepositConfirm& confirm) override;

    const std::shared_ptr<Networkable>& networkManager() const noexcept {
        return client_.networkManager();
    }
    const std::shared_ptr<DeviceFingerprintProvider>& fingerprintProvider() const noexcept {
        return client_.fingerprintProvider();
    }

    // The public deposit of a reply: enumerated texts read by their tables; absent "action"
    // reads as `unknown`; absent "nextStatus" and "fees" give empty lists; links keep every
    // field, `rel` and `method` always present.
    static model::CustomerDeposit customerDeposit(
        const DepositServiceEndpoint::CustomerDepositResponse& response);

    // The public page: each deposit in order (none when "deposits" is absent), and paging
    // always present.
    static model::CustomerDepositList customerDepositList(
        const DepositServiceEndpoint::DepositListResponse& response);

  private:
    PaymentFlowClient<DepositServiceEndpoint::DepositFlow> client_;
};

}  // namespace corvend
