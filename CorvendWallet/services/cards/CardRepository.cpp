#include "CorvendWallet/services/cards/CardRepository.hpp"

#include <stdexcept>
#include <utility>
#include <vector>

#include "CorvendWallet/foundation/AskedRecord.hpp"
#include "CorvendWallet/models/WireValueTable.hpp"

namespace corvend {

namespace {

namespace wire = CardServiceEndpoint;
using model::fromWire;

// Each item through `map`, which moves out of it, in order; none without the list. The items
// are passed by reference: a by-value copy of each would cost a move of the whole record.
template <class Wire, class Map>
auto mapped(std::optional<std::vector<Wire>>& items, Map map) {
    std::vector<decltype(map(std::declval<Wire&>()))> out;
    if (!items) return out;
    out.reserve(items->size());
    for (Wire& item : *items) out.push_back(map(item));
    return out;
}

model::CardExpiryDate expiry(const wire::ExpiryResponse& expiry) {
    return {expiry.year, expiry.month};
}

std::optional<model::DeliveryAddress> deliveryAddress(
    std::optional<wire::DeliveryAddress>&& address) {
    if (!address) return std::nullopt;
    return model::DeliveryAddress(std::move(address->address1), std::move(address->address2),
                                  std::move(address->address3), std::move(address->city),
                                  std::move(address->countryCode), std::move(address->state),
                                  std::move(address->postalCode));
}

std::optional<wire::DeliveryAddress> deliveryAddress(
    const std::optional<model::DeliveryAddress>& address) {
    if (!address) return std::nullopt;
    return wire::DeliveryAddress{address->address1(),  address->address2(),    address->address3(),
                                 address->city(),      address->countryCode(), address->state(),
                                 address->postalCode()};
}

}  // namespace

std::shared_ptr<CardRepository> CardRepository::make(
    std::shared_ptr<CardRepositoryComponent> component,
    SecureDetailsScreenFactory secureDetailsScreen) {
    return std::make_shared<CardRepository>(std::move(component), std::move(secureDetailsScreen));
}

CardRepository::CardRepository(std::shared_ptr<CardRepositoryComponent> component,
                               SecureDetailsScreenFactory secureDetailsScreen)
    : component_(std::move(component)), secureDetailsScreen_(std::move(secureDetailsScreen)) {
    if (!component_) throw std::invalid_argument("a card repository needs its component");
}

std::shared_ptr<platform::ui::ViewController> CardRepository::doGetSecureDetailsViewController(
    const model::CardSecureDetailsRequest& request) {
    if (!secureDetailsScreen_) {
        throw std::logic_error("the card service was made without its secure-details screen");
    }
    return secureDetailsScreen_(component_, request);
}

model::ProgramList CardRepository::doGetPrograms() {
    return programList(network().request(wire::programs()));
}

model::CardList CardRepository::doGetAll(const std::optional<model::CardParameters>& parameters) {
    return cardList(network().request(
        wire::cards(parameters ? parameters->queryParams() : std::vector<HTTPQueryParam>{})));
}

model::Card CardRepository::doCreate(const model::CardRequest& request) {
    return card(network().request(wire::create(cardRequest(request, userAgent()))));
}

model::CardSensitiveDetails CardRepository::doGetDetails(const std::string& cardID) {
    return sensitiveDetails(network().request(wire::details(cardID)));
}

model::Card CardRepository::doGet(const std::string& cardID,
                                  const std::optional<Includes>& include) {
    return askedRecord(
        cardID,
        card(network().request(wire::card(cardID, include ? model::includeQueryParams(*include)
                                                          : std::vector<HTTPQueryParam>{}))),
        &model::Card::cardID);
}

model::Card CardRepository::doUpdate(const std::string& cardID,
                                     const model::CardUpdateRequest& request) {
    return askedRecord(
        cardID,
        card(network().request(wire::update(cardID, cardUpdateRequest(request, userAgent())))),
        &model::Card::cardID);
}

model::CardTokenization CardRepository::doTokenize(const std::string& cardID,
                                                   const model::CardTokenizationRequest& request) {
    return cardTokenization(
        network().request(wire::tokenize(cardID, cardTokenizationRequest(request))));
}

model::MobileWalletTokenization CardRepository::doUpdateTokenizationStatus(
    const std::string& cardID, const model::MobileWalletTokenization& request) {
    return mobileWalletTokenization(network().request(
        wire::updateTokenizationStatus(cardID, mobileWalletTokenizationRequest(request))));
}

model::Card CardRepository::doActivate(const std::string& cardID,
                                       const model::CardActivationRequest& request) {
    wire::CardActivationRequest body{request.lastFourDigits(), request.cvv(), userAgent()};
    return askedRecord(cardID, card(network().request(wire::activate(cardID, std::move(body)))),
                       &model::Card::cardID);
}

model::ProgramList CardRepository::programList(const wire::ProgramListResponse& reply) {
    if (!reply.programs) return model::ProgramList({});
    std::vector<model::Program> programs;
    for (const wire::ProgramResponse& program : *reply.programs) {
        programs.push_back(model::Program(fromWire<model::Card::CardType>(program.cardType),
                                          fromWire<model::CardScheme>(program.scheme), program.name,
                                          program.currencies, program.allowableCards,
                                          program.isDigital));
    }
    return model::ProgramList(std::move(programs));
}

model::Card CardRepository::takeCard(wire::CardResponse& reply) {
    std::optional<model::MobileWalletTokenizationList> tokenizations;
    if (reply.tokenizations) {
        tokenizations.emplace(
            mapped(reply.tokenizations->mobileWalletTokenizations, takeTokenization));
    }
    return model::Card({
        .cardID = std::move(reply.cardId),
        .status = fromWire<model::Card::CardStatus>(reply.status),
        .expiry = reply.expiry ? std::optional(expiry(*reply.expiry)) : std::nullopt,
        .bin = std::move(reply.bin),
        .lastFour = std::move(reply.lastFour),
        .customerID = std::move(reply.customerId),
        .cardType = fromWire<model::Card::CardType>(reply.cardType),
        .programName = std::move(reply.programName),
        .currency = std::move(reply.currency),
        .mobile = std::move(reply.mobile),
        .deliveryAddress = deliveryAddress(std::move(reply.deliveryAddress)),
        .createdDate = reply.createdDate,
        .accountID = std::move(reply.accountId),
        .scheme = fromWire<model::CardScheme>(reply.scheme),
        .activationDate = reply.activationDate,
        .isPinSet = reply.isPinSet,
        .externalID = std::move(reply.externalId),
        .tokenizations = std::move(tokenizations),
    });
}

model::Card CardRepository::card(wire::CardResponse reply) {
    return takeCard(reply);
}

model::CardList CardRepository::cardList(wire::CardListResponse reply) {
    return model::CardList(mapped(reply.cards, takeCard), reply.meta
                                                              ? toPagingResultMeta(*reply.meta)
                                                              : model::PagingResultMeta{});
}

model::CardSensitiveDetails CardRepository::sensitiveDetails(
    const wire::CardSensitiveDetailsResponse& reply) {
    return model::CardSensitiveDetails(reply.pan, reply.cvv, expiry(reply.expiry),
                                       reply.cardHolderName);
}

model::CardTokenization CardRepository::cardTokenization(
    const wire::CardTokenizationResponse& reply) {
    std::optional<model::Customer> customer;
    if (const auto& c = reply.customer) {
        customer =
            model::Customer{c->address1, c->address2,   c->address3, c->city,  c->countryCode,
                            c->state,    c->postalCode, c->name,     c->mobile};
    }
    return {
        .opaquePaymentCard = reply.opaquePaymentCard,
        .encryptedPassData = reply.encryptedPassData,
        .ephemeralPublicKey = reply.ephemeralPublicKey,
        .activationData = reply.activationData,
        .cardNetwork = fromWire<model::CardTokenization::CardNetworkType>(reply.cardNetwork),
        .tokenProvider = fromWire<model::CardTokenization::CardTokenProvider>(reply.tokenProvider),
        .customer = std::move(customer),
        .cardLastDigits = reply.cardLastDigits};
}

model::MobileWalletTokenization CardRepository::takeTokenization(
    wire::MobileWalletTokenization& reply) {
    return model::MobileWalletTokenization(
        std::move(reply.dpanRef), std::move(reply.walletId),
        fromWire<model::MobileWalletType>(reply.walletType),
        fromWire<model::MobileWalletTokenization::MobileWalletStatus>(reply.status));
}

model::MobileWalletTokenization CardRepository::mobileWalletTokenization(
    wire::MobileWalletTokenization reply) {
    return takeTokenization(reply);
}

wire::CardRequest CardRepository::cardRequest(const model::CardRequest& request,
                                              std::string userAgent) {
    return {.programName = request.programName(),
            .currency = request.currency(),
            .mobile = request.mobile(),
            .cardPin = request.cardPin(),
            .externalId = request.externalID(),
            .userAgent = std::move(userAgent),
            .deliveryAddress = deliveryAddress(request.deliveryAddress()),
            .termsAndConditionsAccepted = request.termsAndConditionsAccepted(),
            .eDisclosureAccepted = request.eDisclosureAccepted()};
}

wire::CardUpdateRequest CardRepository::cardUpdateRequest(const model::CardUpdateRequest& request,
                                                          std::string userAgent) {
    wire::CardUpdateRequest body{.statusReason = request.statusReason(),
                                 .pin = request.pin(),
                                 .userAgent = std::move(userAgent)};
    if (request.status()) body.status = std::string(model::toWireValue(*request.status()));
    return body;
}

wire::CardTokenizationRequest CardRepository::cardTokenizationRequest(
    const model::CardTokenizationRequest& request) {
    return {std::string(model::toWireValue(request.walletType())), request.leafCertificate(),
            request.subordinateCertificate(), request.nonce(), request.nonceSignature()};
}

wire::MobileWalletTokenization CardRepository::mobileWalletTokenizationRequest(
    const model::MobileWalletTokenization& request) {
    return {request.dpanRef(), request.walletID(),
            std::string(model::toWireValue(request.walletType())),
            std::string(model::toWireValue(request.status()))};
}

}  // namespace corvend
