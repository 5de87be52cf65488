#include "CorvendWallet/services/cards/CardServiceEndpoint.hpp"

#include <utility>

#include "CorvendWallet/networking/DefaultErrorProcessor.hpp"
#include "CorvendWallet/networking/HTTPMethod.hpp"
#include "CorvendWallet/networking/PathSegment.hpp"
#include "CorvendWallet/networking/SharedCoders.hpp"
#include "platform/json/DecodingError.hpp"

namespace corvend::CardServiceEndpoint {

namespace {

constexpr std::string_view kShowDetails = "SHOW_DETAILS";

std::string cardPath(std::string_view cardID, std::string_view tail = {}) {
    return std::string(kCardsPath) + "/" + pathSegment(cardID) + std::string(tail);
}

template <class T>
Endpoint<T> withoutBody(std::string_view path, HTTPMethod method,
                        const std::vector<HTTPQueryParam>& query) {
    return Endpoint<T>(path, std::move(method), {}, query, EndpointParametersEncoder::empty(),
                       EndpointDecoder<T>::json(sharedResponseDecoder()), defaultErrorProcessor());
}

template <class T, class Body>
Endpoint<T> withBody(std::string_view path, HTTPMethod method, Body body) {
    return Endpoint<T>(path, std::move(method), {}, {},
                       EndpointParametersEncoder::json(std::move(body)),
                       EndpointDecoder<T>::json(sharedResponseDecoder()), defaultErrorProcessor());
}

}  // namespace

Endpoint<ProgramListResponse> programs() {
    return withoutBody<ProgramListResponse>(kProgramsPath, HTTPMethod::get(), {});
}

Endpoint<CardListResponse> cards(const std::vector<HTTPQueryParam>& query) {
    return withoutBody<CardListResponse>(kCardsPath, HTTPMethod::get(), query);
}

Endpoint<CardResponse> create(CardRequest request) {
    return withBody<CardResponse>(kCardsPath, HTTPMethod::post(), std::move(request));
}

Endpoint<CardResponse> card(std::string_view cardID, const std::vector<HTTPQueryParam>& query) {
    return withoutBody<CardResponse>(cardPath(cardID), HTTPMethod::get(), query);
}

Endpoint<CardResponse> update(std::string_view cardID, CardUpdateRequest request) {
    return withBody<CardResponse>(cardPath(cardID), HTTPMethod::patch(), std::move(request));
}

Endpoint<CardSensitiveDetailsResponse> details(std::string_view cardID) {
    return withoutBody<CardSensitiveDetailsResponse>(cardPath(cardID, "/details"),
                                                     HTTPMethod::get(), {});
}

Endpoint<CardTokenizationResponse> tokenize(std::string_view cardID,
                                            CardTokenizationRequest request) {
    return withBody<CardTokenizationResponse>(cardPath(cardID, "/tokenizations"),
                                              HTTPMethod::post(), std::move(request));
}

Endpoint<MobileWalletTokenization> updateTokenizationStatus(std::string_view cardID,
                                                            MobileWalletTokenization request) {
    return withBody<MobileWalletTokenization>(cardPath(cardID, "/tokenizations"),
                                              HTTPMethod::patch(), std::move(request));
}

Endpoint<CardResponse> activate(std::string_view cardID, CardActivationRequest request) {
    return withBody<CardResponse>(cardPath(cardID, "/activation"), HTTPMethod::post(),
                                  std::move(request));
}

Endpoint<SecureDetails> secureDetails(std::string_view cardID, SecureDetailsRequest request) {
    return withBody<SecureDetails>(cardPath(cardID, "/secure-details"), HTTPMethod::post(),
                                   std::move(request));
}

}  // namespace corvend::CardServiceEndpoint

namespace corvend::platform {

void JSONCoding<CardServiceEndpoint::SecureDetailsFlow>::decode(
    JSONReader& in, CardServiceEndpoint::SecureDetailsFlow& out) {
    if (in.readString() != CardServiceEndpoint::kShowDetails) {
        throw DecodingError::dataCorrupted({{}, "Unknown secure-details flow"});
    }
    out = CardServiceEndpoint::SecureDetailsFlow::showDetails;
}

void JSONCoding<CardServiceEndpoint::SecureDetailsFlow>::encode(
    const CardServiceEndpoint::SecureDetailsFlow&, JSONWriter& out) {
    out.writeString(CardServiceEndpoint::kShowDetails);
}

}  // namespace corvend::platform
