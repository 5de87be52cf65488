#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CorvendWallet/foundation/CompletionBridge.hpp"
#include "CorvendWallet/services/cards/InstrumentVerification.hpp"
#include "CorvendWallet/services/cards/InstrumentVerificationRequest.hpp"
#include "CorvendWallet/services/cards/PaymentInstrument.hpp"
#include "CorvendWallet/services/cards/PaymentInstrumentsParameters.hpp"

namespace corvend {

// The signed-in customer's saved payment instruments (list, read, delete) and their
// verification sessions, whose pages open in the desktop's browser. The shape of the
// operations and their contract: see runServiceOperation; openExternalVerificationFlow's
// completion form alone returns no handle.
class PaymentInstrumentService : public std::enable_shared_from_this<PaymentInstrumentService> {
  public:
    using Instrument = std::shared_ptr<const model::PaymentInstrument>;
    using ListCompletion = std::function<void(Result<std::vector<Instrument>>)>;
    using InstrumentCompletion = std::function<void(Result<Instrument>)>;
    using VerificationCompletion = std::function<void(Result<model::InstrumentVerification>)>;
    using VerificationListCompletion =
        std::function<void(Result<model::InstrumentVerificationList>)>;
    using OpenCompletion = std::function<void(Result<void>)>;

    virtual ~PaymentInstrumentService() = default;

    // The instruments that pass the filters, in the service's order; entries the kit cannot
    // turn into an instrument are left out.
    std::vector<Instrument> getAll(const model::PaymentInstrumentsParameters& parameters) {
        return callServiceOperation(*this, &PaymentInstrumentService::doGetAll, parameters);
    }
    std::shared_ptr<WalletOperationHandle> getAll(model::PaymentInstrumentsParameters parameters,
                                                  ListCompletion completion) {
        return runServiceOperation(shared_from_this(), &PaymentInstrumentService::doGetAll,
                                   std::move(completion), std::move(parameters));
    }

    // One instrument; internalError "I0007" when the reply describes no instrument the kit
    // knows.
    Instrument get(const model::PaymentInstrumentParameters& parameters) {
        return callServiceOperation(*this, &PaymentInstrumentService::doGet, parameters);
    }
    std::shared_ptr<WalletOperationHandle> get(model::PaymentInstrumentParameters parameters,
                                               InstrumentCompletion completion) {
        return runServiceOperation(shared_from_this(), &PaymentInstrumentService::doGet,
                                   std::move(completion), std::move(parameters));
    }

    // Deletes an instrument and returns it as it was; "I0007" as get() (after the deletion).
    Instrument delete_(const model::PaymentInstrumentParameters& parameters) {
        return callServiceOperation(*this, &PaymentInstrumentService::doDelete, parameters);
    }
    std::shared_ptr<WalletOperationHandle> delete_(model::PaymentInstrumentParameters parameters,
                                                   InstrumentCompletion completion) {
        return runServiceOperation(shared_from_this(), &PaymentInstrumentService::doDelete,
                                   std::move(completion), std::move(parameters));
    }

    // Starts a verification session that returns to the request's address.
    model::InstrumentVerification startVerification(
        const model::InstrumentVerificationRequest& request) {
        return callServiceOperation(*this, &PaymentInstrumentService::doStartVerification, request);
    }
    std::shared_ptr<WalletOperationHandle> startVerification(
        model::InstrumentVerificationRequest request, VerificationCompletion completion) {
        return runServiceOperation(shared_from_this(),
                                   &PaymentInstrumentService::doStartVerification,
                                   std::move(completion), std::move(request));
    }

    // One page of sessions.
    model::InstrumentVerificationList getAllVerifications(
        const model::InstrumentVerificationParameters& parameters) {
        return callServiceOperation(*this, &PaymentInstrumentService::doGetAllVerifications,
                                    parameters);
    }
    std::shared_ptr<WalletOperationHandle> getAllVerifications(
        model::InstrumentVerificationParameters parameters, VerificationListCompletion completion) {
        return runServiceOperation(shared_from_this(),
                                   &PaymentInstrumentService::doGetAllVerifications,
                                   std::move(completion), std::move(parameters));
    }

    // The session `sessionId`.
    model::InstrumentVerification getVerification(const std::string& sessionId) {
        return callServiceOperation(*this, &PaymentInstrumentService::doGetVerification, sessionId);
    }
    std::shared_ptr<WalletOperationHandle> getVerification(std::string sessionId,
                                                           VerificationCompletion completion) {
        return runServiceOperation(shared_from_this(), &PaymentInstrumentService::doGetVerification,
                                   std::move(completion), std::move(sessionId));
    }

    // Opens the session's page in the desktop's browser, on the main thread. internalError
    // "I0003" when its address is not an absolute http or https URL (nothing is opened), "I0008"
    // when the opener reports failure. The completion form cannot be cancelled.
    void openExternalVerificationFlow(const model::InstrumentVerification& instrumentVerification) {
        callServiceOperation(*this, &PaymentInstrumentService::doOpenExternalVerificationFlow,
                             instrumentVerification);
    }
    void openExternalVerificationFlow(model::InstrumentVerification instrumentVerification,
                                      OpenCompletion completion) {
        runServiceOperation(shared_from_this(),
                            &PaymentInstrumentService::doOpenExternalVerificationFlow,
                            std::move(completion), std::move(instrumentVerification));
    }

    // Reads the session named by the first query item exactly "sessionId" of the address the
    // page returned to (an empty value included). internalError "I0500", with nothing sent,
    // when the address does not parse or has no such item with a value.
    model::InstrumentVerification completeExternalVerificationFlow(const std::string& returnUrl) {
        return callServiceOperation(
            *this, &PaymentInstrumentService::doCompleteExternalVerificationFlow, returnUrl);
    }
    std::shared_ptr<WalletOperationHandle> completeExternalVerificationFlow(
        std::string returnUrl, VerificationCompletion completion) {
        return runServiceOperation(shared_from_this(),
                                   &PaymentInstrumentService::doCompleteExternalVerificationFlow,
                                   std::move(completion), std::move(returnUrl));
    }

  protected:
    PaymentInstrumentService() = default;
    PaymentInstrumentService(const PaymentInstrumentService&) = default;
    PaymentInstrumentService& operator=(const PaymentInstrumentService&) = default;

  private:
    virtual std::vector<Instrument> doGetAll(
        const model::PaymentInstrumentsParameters& parameters) = 0;
    virtual Instrument doGet(const model::PaymentInstrumentParameters& parameters) = 0;
    virtual Instrument doDelete(const model::PaymentInstrumentParameters& parameters) = 0;
    virtual model::InstrumentVerification doStartVerification(
        const model::InstrumentVerificationRequest& request) = 0;
    virtual model::InstrumentVerificationList doGetAllVerifications(
        const model::InstrumentVerificationParameters& parameters) = 0;
    virtual model::InstrumentVerification doGetVerification(const std::string& sessionId) = 0;
    virtual void doOpenExternalVerificationFlow(
        const model::InstrumentVerification& instrumentVerification) = 0;
    virtual model::InstrumentVerification doCompleteExternalVerificationFlow(
        const std::string& returnUrl) = 0;
};

}  // namespace corvend
