#pragma once

#include <memory>
#include <string>
#include <vector>

#include "CorvendWallet/networking/Networkable.hpp"
#include "CorvendWallet/services/cards/PaymentInstrumentService.hpp"
#include "CorvendWallet/services/cards/PaymentInstrumentServiceEndpoint.hpp"
#include "platform/app/URLOpener.hpp"

namespace corvend {

// The instrument service over the instruments and instrument-verifications collections. Its
// two collaborators never change, so concurrent calls are independent. Besides "I0007",
// "I0003", "I0008" and "I0500" (see PaymentInstrumentService), every failure is the network
// manager's, passed through unchanged.
class PaymentInstrumentRepository final : public PaymentInstrumentService {
  public:
    // Throws std::invalid_argument when either is null.
    static std::shared_ptr<PaymentInstrumentRepository> make(
        std::shared_ptr<Networkable> networkManager,
        std::shared_ptr<platform::URLOpener> urlOpener);

    PaymentInstrumentRepository(std::shared_ptr<Networkable> networkManager,
                                std::shared_ptr<platform::URLOpener> urlOpener);

    const std::shared_ptr<Networkable>& networkManager() const noexcept { return networkManager_; }

    // The public session: texts read by their tables, an absent reason read as `unknown`.
    static model::InstrumentVerification verification(
        const PaymentInstrumentServiceEndpoint::InstrumentVerificationResponse& reply);
    static model::InstrumentVerificationList verificationList(
        const PaymentInstrumentServiceEndpoint::InstrumentVerificationSessionsResponse& reply);

  private:
    std::vector<Instrument> doGetAll(
        const model::PaymentInstrumentsParameters& parameters) override;
    Instrument doGet(const model::PaymentInstrumentParameters& parameters) override;
    Instrument doDelete(const model::PaymentInstrumentParameters& parameters) override;
    model::InstrumentVerification doStartVerification(
        const model::InstrumentVerificationRequest& request) override;
    model::InstrumentVerificationList doGetAllVerifications(
        const model::InstrumentVerificationParameters& parameters) override;
    model::InstrumentVerification doGetVerification(const std::string& sessionId) override;
    void doOpenExternalVerificationFlow(
        const model::InstrumentVerification& instrumentVerification) override;
    model::InstrumentVerification doCompleteExternalVerificationFlow(
        const std::string& returnUrl) override;

    Instrument single(const model::PaymentInstrumentParameters& parameters, bool remove);

    const std::shared_ptr<Networkable> networkManager_;
    const std::shared_ptr<platform::URLOpener> urlOpener_;
};

}  // namespace corvend
