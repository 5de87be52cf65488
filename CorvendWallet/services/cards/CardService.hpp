#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/foundation/CompletionBridge.hpp"
#include "CorvendWallet/services/cards/Card.hpp"
#include "CorvendWallet/services/cards/CardActivationRequest.hpp"
#include "CorvendWallet/services/cards/CardList.hpp"
#include "CorvendWallet/services/cards/CardParameters.hpp"
#include "CorvendWallet/services/cards/CardRequest.hpp"
#include "CorvendWallet/services/cards/CardSecureDetailsRequest.hpp"
#include "CorvendWallet/services/cards/CardSensitiveDetails.hpp"
#include "CorvendWallet/services/cards/CardTokenization.hpp"
#include "CorvendWallet/services/cards/CardTokenizationRequest.hpp"
#include "CorvendWallet/services/cards/CardUpdateRequest.hpp"
#include "CorvendWallet/services/cards/MobileWalletTokenization.hpp"
#include "CorvendWallet/services/cards/ProgramList.hpp"
#include "platform/ui/ViewController.hpp"

namespace corvend {

// The signed-in customer's prepaid cards: programs, list, issue, read, change, activate,
// sensitive details, mobile-wallet tokenization and the secure-details screen. The shape of the
// operations and their contract: see runServiceOperation.
class CardService : public std::enable_shared_from_this<CardService> {
  public:
    using Includes = std::vector<model::Card::CardIncludesParam>;
    using ProgramsCompletion = std::function<void(Result<model::ProgramList>)>;
    using ListCompletion = std::function<void(Result<model::CardList>)>;
    using CardCompletion = std::function<void(Result<model::Card>)>;
    using DetailsCompletion = std::function<void(Result<model::CardSensitiveDetails>)>;
    using TokenizationCompletion = std::function<void(Result<model::CardTokenization>)>;
    using StatusCompletion = std::function<void(Result<model::MobileWalletTokenization>)>;

    virtual ~CardService() = default;

    // The card programs offered to the customer.
    model::ProgramList getPrograms() {
        return callServiceOperation(*this, &CardService::doGetPrograms);
    }
    std::shared_ptr<WalletOperationHandle> getPrograms(ProgramsCompletion completion) {
        return runServiceOperation(shared_from_this(), &CardService::doGetPrograms,
                                   std::move(completion));
    }

    // One page of cards; no filter and the service's default page without `parameters`.
    model::CardList getAll(const std::optional<model::CardParameters>& parameters = std::nullopt) {
        return callServiceOperation(*this, &CardService::doGetAll, parameters);
    }
    std::shared_ptr<WalletOperationHandle> getAll(std::optional<model::CardParameters> parameters,
                                                  ListCompletion completion) {
        return runServiceOperation(shared_from_this(), &CardService::doGetAll,
                                   std::move(completion), std::move(parameters));
    }
    std::shared_ptr<WalletOperationHandle> getAll(ListCompletion completion) {
        return getAll(std::nullopt, std::move(completion));
    }

    // Issues a card; the order carries the kit's user agent at the time of the call.
    model::Card create(const model::CardRequest& request) {
        return callServiceOperation(*this, &CardService::doCreate, request);
    }
    std::shared_ptr<WalletOperationHandle> create(model::CardRequest request,
                                                  CardCompletion completion) {
        return runServiceOperation(shared_from_this(), &CardService::doCreate,
                                   std::move(completion), std::move(request));
    }

    // The card's full number, security code, expiry and holder name.
    model::CardSensitiveDetails getDetails(const std::string& cardID) {
        return callServiceOperation(*this, &CardService::doGetDetails, cardID);
    }
    std::shared_ptr<WalletOperationHandle> getDetails(std::string cardID,
                                                      DetailsCompletion completion) {
        return runServiceOperation(shared_from_this(), &CardService::doGetDetails,
                                   std::move(completion), std::move(cardID));
    }

    // The card `cardID`, with the parts `include` names (one "include" item per element).
    model::Card get(const std::string& cardID,
                    const std::optional<Includes>& include = std::nullopt) {
        return callServiceOperation(*this, &CardService::doGet, cardID, include);
    }
    std::shared_ptr<WalletOperationHandle> get(std::string cardID, std::optional<Includes> include,
                                               CardCompletion completion) {
        return runServiceOperation(shared_from_this(), &CardService::doGet, std::move(completion),
                                   std::move(cardID), std::move(include));
    }
    std::shared_ptr<WalletOperationHandle> get(std::string cardID, CardCompletion completion) {
        return get(std::move(cardID), std::nullopt, std::move(completion));
    }

    // Changes the card's status, status reason or PIN; the body carries the kit's user agent.
    model::Card update(const std::string& cardID, const model::CardUpdateRequest& request) {
        return callServiceOperation(*this, &CardService::doUpdate, cardID, request);
    }
    std::shared_ptr<WalletOperationHandle> update(std::string cardID,
                                                  model::CardUpdateRequest request,
                                                  CardCompletion completion) {
        return runServiceOperation(shared_from_this(), &CardService::doUpdate,
                                   std::move(completion), std::move(cardID), std::move(request));
    }

    // The data a device wallet needs to add the card.
    model::CardTokenization tokenize(const std::string& cardID,
                                     const model::CardTokenizationRequest& request) {
        return callServiceOperation(*this, &CardService::doTokenize, cardID, request);
    }
    std::shared_ptr<WalletOperationHandle> tokenize(std::string cardID,
                                                    model::CardTokenizationRequest request,
                                                    TokenizationCompletion completion) {
        return runServiceOperation(shared_from_this(), &CardService::doTokenize,
                                   std::move(completion), std::move(cardID), std::move(request));
    }

    // Reports the state of one tokenization of the card; returns the service's record.
    model::MobileWalletTokenization updateTokenizationStatus(
        const std::string& cardID, const model::MobileWalletTokenization& request) {
        return callServiceOperation(*this, &CardService::doUpdateTokenizationStatus, cardID,
                                    request);
    }
    std::shared_ptr<WalletOperationHandle> updateTokenizationStatus(
        std::string cardID, model::MobileWalletTokenization request, StatusCompletion completion) {
        return runServiceOperation(shared_from_this(), &CardService::doUpdateTokenizationStatus,
                                   std::move(completion), std::move(cardID), std::move(request));
    }

    // Activates the card with its last four digits and security code (sent unchecked).
    model::Card activate(const std::string& cardID, const model::CardActivationRequest& request) {
        return callServiceOperation(*this, &CardService::doActivate, cardID, request);
    }
    std::shared_ptr<WalletOperationHandle> activate(std::string cardID,
                                                    model::CardActivationRequest request,
                                                    CardCompletion completion) {
        return runServiceOperation(shared_from_this(), &CardService::doActivate,
                                   std::move(completion), std::move(cardID), std::move(request));
    }

    // A new screen that shows the card's secure details in a web page of the service. Returns
    // at once and never fails: nothing is sent until its view loads, and its failures show on
    // it alone. Call it on the main thread; the host presents the screen and keeps it.
    std::shared_ptr<platform::ui::ViewController> getSecureDetailsViewController(
        const model::CardSecureDetailsRequest& request) {
        return callServiceOperation(*this, &CardService::doGetSecureDetailsViewController, request);
    }

  protected:
    CardService() = default;
    CardService(const CardService&) = default;
    CardService& operator=(const CardService&) = default;

  private:
    virtual model::ProgramList doGetPrograms() = 0;
    virtual model::CardList doGetAll(const std::optional<model::CardParameters>& parameters) = 0;
    virtual model::Card doCreate(const model::CardRequest& request) = 0;
    virtual model::CardSensitiveDetails doGetDetails(const std::string& cardID) = 0;
    virtual model::Card doGet(const std::string& cardID,
                              const std::optional<Includes>& include) = 0;
    virtual model::Card doUpdate(const std::string& cardID,
                                 const model::CardUpdateRequest& request) = 0;
    virtual model::CardTokenization doTokenize(const std::string& cardID,
                                               const model::CardTokenizationRequest& request) = 0;
    virtual model::MobileWalletTokenization doUpdateTokenizationStatus(
        const std::string& cardID, const model::MobileWalletTokenization& request) = 0;
    virtual model::Card doActivate(const std::string& cardID,
                                   const model::CardActivationRequest& request) = 0;
    virtual std::shared_ptr<platform::ui::ViewController> doGetSecureDetailsViewController(
        const model::CardSecureDetailsRequest& request) = 0;
};

}  // namespace corvend
