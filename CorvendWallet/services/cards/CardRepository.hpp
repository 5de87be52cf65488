#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "CorvendWallet/services/cards/CardRepositoryComponent.hpp"
#include "CorvendWallet/services/cards/CardService.hpp"
#include "CorvendWallet/services/cards/CardServiceEndpoint.hpp"

namespace corvend {

// The card service over the service's prepaid collections. Its one field, the component, never
// changes, so concurrent calls are independent. Every operation makes exactly one call and adds
// no error of its own: what the network manager throws passes through unchanged. Replies map
// without failing: texts the kit does not know read as `unknown`.
class CardRepository final : public CardService {
  public:
    // Makes the secure-details screen over the component. The screens sit above the services,
    // so the facade hands the repository their builder.
    using SecureDetailsScreenFactory = std::function<std::shared_ptr<platform::ui::ViewController>(
        std::shared_ptr<CardSecureDetailsDependency> dependency,
        const model::CardSecureDetailsRequest& request)>;

    // Throws std::invalid_argument when `component` is null. Without `secureDetailsScreen`,
    // asking for that screen throws std::logic_error (a kit composed without its screens).
    static std::shared_ptr<CardRepository> make(
        std::shared_ptr<CardRepositoryComponent> component,
        SecureDetailsScreenFactory secureDetailsScreen = {});

    explicit CardRepository(std::shared_ptr<CardRepositoryComponent> component,
                            SecureDetailsScreenFactory secureDetailsScreen = {});

    const std::shared_ptr<CardRepositoryComponent>& component() const noexcept {
        return component_;
    }

    // The public models of replies. A card list always has paging (all four fields absent
    // without "meta") and no card when "cards" is absent; a card's tokenizations are absent
    // without "tokenizations" and an empty list when it has no "mobileWalletTokenizations".
    // Replies are taken by value: their texts move into the result.
    static model::ProgramList programList(const CardServiceEndpoint::ProgramListResponse& reply);
    static model::Card card(CardServiceEndpoint::CardResponse reply);
    static model::CardList cardList(CardServiceEndpoint::CardListResponse reply);
    static model::CardSensitiveDetails sensitiveDetails(
        const CardServiceEndpoint::CardSensitiveDetailsResponse& reply);
    static model::CardTokenization cardTokenization(
        const CardServiceEndpoint::CardTokenizationResponse& reply);
    static model::MobileWalletTokenization mobileWalletTokenization(
        CardServiceEndpoint::MobileWalletTokenization reply);

    // The wire bodies of the host's requests, with the user agent `userAgent`.
    static CardServiceEndpoint::CardRequest cardRequest(const model::CardRequest& request,
                                                        std::string userAgent);
    static CardServiceEndpoint::CardUpdateRequest cardUpdateRequest(
        const model::CardUpdateRequest& request, std::string userAgent);
    static CardServiceEndpoint::CardTokenizationRequest cardTokenizationRequest(
        const model::CardTokenizationRequest& request);
    static CardServiceEndpoint::MobileWalletTokenization mobileWalletTokenizationRequest(
        const model::MobileWalletTokenization& request);

  private:
    // card() and mobileWalletTokenization() moving out of `reply`: a list maps its records in
    // place, without a by-value copy of each.
    static model::Card takeCard(CardServiceEndpoint::CardResponse& reply);
    static model::MobileWalletTokenization takeTokenization(
        CardServiceEndpoint::MobileWalletTokenization& reply);

    model::ProgramList doGetPrograms() override;
    model::CardList doGetAll(const std::optional<model::CardParameters>& parameters) override;
    model::Card doCreate(const model::CardRequest& request) override;
    model::CardSensitiveDetails doGetDetails(const std::string& cardID) override;
    model::Card doGet(const std::string& cardID, const std::optional<Includes>& include) override;
    model::Card doUpdate(const std::string& cardID,
                         const model::CardUpdateRequest& request) override;
    model::CardTokenization doTokenize(const std::string& cardID,
                                       const model::CardTokenizationRequest& request) override;
    model::MobileWalletTokenization doUpdateTokenizationStatus(
        const std::string& cardID, const model::MobileWalletTokenization& request) override;
    model::Card doActivate(const std::string& cardID,
                           const model::CardActivationRequest& request) override;
    std::shared_ptr<platform::ui::ViewController> doGetSecureDetailsViewController(
        const model::CardSecureDetailsRequest& request) override;

    // Read anew on every call: the set-up may change it.
    std::string userAgent() const { return component_->environmentProperties()->userAgent(); }
    Networkable& network() const { return *component_->networkManager(); }

    const std::shared_ptr<CardRepositoryComponent> component_;
    const SecureDetailsScreenFactory secureDetailsScreen_;
};

}  // namespace corvend
