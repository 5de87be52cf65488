#pragma once

#include <boost/describe.hpp>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CorvendWallet/models/DeviceInfoModel.hpp"
#include "CorvendWallet/models/PagingResultMetaModel.hpp"
#include "CorvendWallet/networking/Endpoint.hpp"
#include "CorvendWallet/networking/HTTPQueryParam.hpp"
#include "platform/foundation/Date.hpp"
#include "platform/json/JSONCoding.hpp"

// The wire side of prepaid cards: the JSON models of programs, cards, their sensitive details,
// tokenizations, activation and secure details, and the builders of their calls. Identifiers
// end in "Id" ("cardId"); enumerated values stay text, so a value the kit does not know never
// fails a reply. Optional members may be missing or null and are left out of bodies.
namespace corvend::CardServiceEndpoint {

inline constexpr std::string_view kProgramsPath = "digitalwallets/v1/profile/prepaid/programs";
inline constexpr std::string_view kCardsPath = "digitalwallets/v1/profile/prepaid/cards";

struct ProgramResponse {
    std::string cardType;
    std::string scheme;
    std::string name;
    std::vector<std::string> currencies;
    std::int64_t allowableCards = 0;
    bool isDigital = false;

    friend bool operator==(const ProgramResponse&, const ProgramResponse&) = default;
};
BOOST_DESCRIBE_STRUCT(ProgramResponse, (),
                      (cardType, scheme, name, currencies, allowableCards, isDigital))

struct ProgramListResponse {
    std::optional<std::vector<ProgramResponse>> programs{};

    friend bool operator==(const ProgramListResponse&, const ProgramListResponse&) = default;
};
BOOST_DESCRIBE_STRUCT(ProgramListResponse, (), (programs))

struct ExpiryResponse {
    std::int64_t month = 0;
    std::int64_t year = 0;  // as sent: no century added

    friend bool operator==(const ExpiryResponse&, const ExpiryResponse&) = default;
};
BOOST_DESCRIBE_STRUCT(ExpiryResponse, (), (month, year))

// Read inside cards and written inside orders, with the same seven keys.
struct DeliveryAddress {
    std::string address1;
    std::optional<std::string> address2{};
    std::optional<std::string> address3{};
    std::string city;
    std::string countryCode;
    std::optional<std::string> state{};
    std::string postalCode;

    friend bool operator==(const DeliveryAddress&, const DeliveryAddress&) = default;
};
BOOST_DESCRIBE_STRUCT(DeliveryAddress, (),
                      (address1, address2, address3, city, countryCode, state, postalCode))

// One tokenization of a card: an element of a card's list, and the body and reply of a
// status update.
struct MobileWalletTokenization {
    std::string dpanRef;
    std::optional<std::string> walletId{};
    std::string walletType;
    std::string status;

    friend bool operator==(const MobileWalletTokenization&,
                           const MobileWalletTokenization&) = default;
};
BOOST_DESCRIBE_STRUCT(MobileWalletTokenization, (), (dpanRef, walletId, walletType, status))

struct MobileWalletTokenizationList {
    std::optional<std::vector<MobileWalletTokenization>> mobileWalletTokenizations{};

    friend bool operator==(const MobileWalletTokenizationList&,
                           const MobileWalletTokenizationList&) = default;
};
BOOST_DESCRIBE_STRUCT(MobileWalletTokenizationList, (), (mobileWalletTokenizations))

struct CardResponse {
    std::string cardId;
    std::string status;
    std::optional<ExpiryResponse> expiry{};
    std::optional<std::string> bin{};
    std::optional<std::string> lastFour{};
    std::string customerId;
    std::string cardType;
    std::string programName;
    std::string currency;
    std::optional<std::string> mobile{};
    std::optional<DeliveryAddress> deliveryAddress{};
    platform::Date createdDate{};
    std::string accountId;
    std::string scheme;
    std::optional<platform::Date> activationDate{};
    bool isPinSet = false;
    std::optional<std::string> externalId{};
    std::optional<MobileWalletTokenizationList> tokenizations{};

    friend bool operator==(const CardResponse&, const CardResponse&) = default;
};
BOOST_DESCRIBE_STRUCT(CardResponse, (),
                      (cardId, status, expiry, bin, lastFour, customerId, cardType, programName,
                       currency, mobile, deliveryAddress, createdDate, accountId, scheme,
                       activationDate, isPinSet, externalId, tokenizations))

struct CardListResponse {
    std::optional<std::vector<CardResponse>> cards{};
    std::optional<PagingResultMetaModel> meta{};

    friend bool operator==(const CardListResponse&, const CardListResponse&) = default;
};
BOOST_DESCRIBE_STRUCT(CardListResponse, (), (cards, meta))

struct CardSensitiveDetailsResponse {
    std::string pan;
    std::string cvv;
    ExpiryResponse expiry;
    std::string cardHolderName;

    friend bool operator==(const CardSensitiveDetailsResponse&,
                           const CardSensitiveDetailsResponse&) = default;
};
BOOST_DESCRIBE_STRUCT(CardSensitiveDetailsResponse, (), (pan, cvv, expiry, cardHolderName))

// The order of a card; "userAgent" is the kit's value when the order is sent.
struct CardRequest {
    std::string programName;
    std::string currency;
    std::optional<std::string> mobile{};
    std::optional<std::string> cardPin{};
    std::optional<std::string> externalId{};
    std::string userAgent;
    std::optional<DeliveryAddress> deliveryAddress{};
    std::optional<bool> termsAndConditionsAccepted{};
    std::optional<bool> eDisclosureAccepted{};

    friend bool operator==(const CardRequest&, const CardRequest&) = default;
};
BOOST_DESCRIBE_STRUCT(CardRequest, (),
                      (programName, currency, mobile, cardPin, externalId, userAgent,
                       deliveryAddress, termsAndConditionsAccepted, eDisclosureAccepted))

// A change of a card; "userAgent" is always written, so an empty change still has a body.
struct CardUpdateRequest {
    std::optional<std::string> status{};
    std::optional<std::string> statusReason{};
    std::optional<std::string> pin{};
    std::string userAgent;

    friend bool operator==(const CardUpdateRequest&, const CardUpdateRequest&) = default;
};
BOOST_DESCRIBE_STRUCT(CardUpdateRequest, (), (status, statusReason, pin, userAgent))

struct CardActivationRequest {
    std::string lastFourDigits;
    std::string cvv;
    std::string userAgent;

    friend bool operator==(const CardActivationRequest&, const CardActivationRequest&) = default;
};
BOOST_DESCRIBE_STRUCT(CardActivationRequest, (), (lastFourDigits, cvv, userAgent))

struct CardTokenizationRequest {
    std::string walletType;
    std::optional<std::string> leafCertificate{};
    std::optional<std::string> subordinateCertificate{};
    std::optional<std::string> nonce{};
    std::optional<std::string> nonceSignature{};

    friend bool operator==(const CardTokenizationRequest&,
                           const CardTokenizationRequest&) = default;
};
BOOST_DESCRIBE_STRUCT(CardTokenizationRequest, (),
                      (walletType, leafCertificate, subordinateCertificate, nonce, nonceSignature))

// The card holder of a tokenization: the seven address keys, then "name" and "mobile".
struct CustomerResponse : DeliveryAddress {
    std::string name;
    std::string mobile;

    friend bool operator==(const CustomerResponse&, const CustomerResponse&) = default;
};
BOOST_DESCRIBE_STRUCT(CustomerResponse, (DeliveryAddress), (name, mobile))

struct CardTokenizationResponse {
    std::optional<std::string> opaquePaymentCard{};
    std::optional<std::string> encryptedPassData{};
    std::optional<std::string> ephemeralPublicKey{};
    std::optional<std::string> activationData{};
    std::string cardNetwork;
    std::string tokenProvider;
    std::optional<CustomerResponse> customer{};
    std::string cardLastDigits;

    friend bool operator==(const CardTokenizationResponse&,
                           const CardTokenizationResponse&) = default;
};
BOOST_DESCRIBE_STRUCT(CardTokenizationResponse, (),
                      (opaquePaymentCard, encryptedPassData, ephemeralPublicKey, activationData,
                       cardNetwork, tokenProvider, customer, cardLastDigits))

// The one flow of the secure-details page; coded as the bare string "SHOW_DETAILS", and any
// other string fails the reply.
enum class SecureDetailsFlow { showDetails };

struct SecureDetailsRequest {
    std::optional<std::string> language{};
    SecureDetailsFlow flow = SecureDetailsFlow::showDetails;
    DeviceInfoModel deviceInfo;

    friend bool operator==(const SecureDetailsRequest&, const SecureDetailsRequest&) = default;
};
BOOST_DESCRIBE_STRUCT(SecureDetailsRequest, (), (language, flow, deviceInfo))

struct SecureDetails {
    std::string cardId;
    std::optional<std::string> language{};
    SecureDetailsFlow flow = SecureDetailsFlow::showDetails;
    std::string redirectUrl;

    friend bool operator==(const SecureDetails&, const SecureDetails&) = default;
};
BOOST_DESCRIBE_STRUCT(SecureDetails, (), (cardId, language, flow, redirectUrl))

// The calls. Card identifiers stand as one path segment (see pathSegment()): "", "." and
// ".." make a builder throw model::WalletError "I0001" before anything is sent.
Endpoint<ProgramListResponse> programs();
Endpoint<CardListResponse> cards(const std::vector<HTTPQueryParam>& query);
Endpoint<CardResponse> create(CardRequest request);
Endpoint<CardResponse> card(std::string_view cardID, const std::vector<HTTPQueryParam>& query);
Endpoint<CardResponse> update(std::string_view cardID, CardUpdateRequest request);
Endpoint<CardSensitiveDetailsResponse> details(std::string_view cardID);
Endpoint<CardTokenizationResponse> tokenize(std::string_view cardID,
                                            CardTokenizationRequest request);
Endpoint<MobileWalletTokenization> updateTokenizationStatus(std::string_view cardID,
                                                            MobileWalletTokenization request);
Endpoint<CardResponse> activate(std::string_view cardID, CardActivationRequest request);
Endpoint<SecureDetails> secureDetails(std::string_view cardID, SecureDetailsRequest request);

}  // namespace corvend::CardServiceEndpoint

namespace corvend::platform {

template <>
struct JSONCoding<CardServiceEndpoint::SecureDetailsFlow> {
    static void decode(JSONReader& in, CardServiceEndpoint::SecureDetailsFlow& out);
    static void encode(const CardServiceEndpoint::SecureDetailsFlow& value, JSONWriter& out);
};

}  // namespace corvend::platform
