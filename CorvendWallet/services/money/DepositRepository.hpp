#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/services/money/DepositService.hpp"
#include "CorvendWallet/services/money/DepositServiceEndpoint.hpp"
#include "CorvendWallet/services/money/PaymentFlowRepository.hpp"

namespace corvend {

// The deposit service over the deposit collection (see PaymentFlowRepository).
class DepositRepository final : public DepositService, public PaymentFlowRepository {
  public:
    using PaymentFlowRepository::PaymentFlowRepository;

    static std::shared_ptr<DepositRepository> make(
        std::shared_ptr<Networkable> networkManager,
        std::shared_ptr<DeviceFingerprintProvider> fingerprintProvider);

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
    std::vector<model::PaymentOptionDetails> doGetOptions() override;
    model::CustomerDepositList doGetAll(
        const std::optional<model::GetDepositsParameters>& parameters) override;
    model::CustomerDeposit doGet(const std::string& id) override;
    model::CustomerDeposit doPreview(const model::DepositRequest& request) override;
    // The instrument is sent in its flat wire form; one the kit cannot write (type `unknown`,
    // or not the structure its type names) fails with internalError "I0002", the kit's error
    // for a body it cannot encode, before anything is sent.
    model::CustomerDeposit doCreate(const model::DepositCreate& create) override;
    model::CustomerDeposit doConfirm(const model::DepositConfirm& confirm) override;
};

}  // namespace corvend
