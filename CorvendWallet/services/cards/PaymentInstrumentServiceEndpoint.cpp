#include "CorvendWallet/services/cards/PaymentInstrumentServiceEndpoint.hpp"

#include <utility>

#include "CorvendWallet/networking/DefaultErrorProcessor.hpp"
#include "CorvendWallet/networking/HTTPMethod.hpp"
#include "CorvendWallet/networking/PathSegment.hpp"
#include "CorvendWallet/networking/SharedCoders.hpp"

namespace corvend::PaymentInstrumentServiceEndpoint {

namespace {

template <class T>
Endpoint<T> withoutBody(std::string_view path, HTTPMethod method,
                        const std::vector<HTTPQueryParam>& query) {
    return Endpoint<T>(path, std::move(method), {}, query, EndpointParametersEncoder::empty(),
                       EndpointDecoder<T>::json(sharedResponseDecoder()), defaultErrorProcessor());
}

}  // namespace

Endpoint<std::vector<PaymentInstrumentModel>> instruments(
    const std::vector<HTTPQueryParam>& query) {
    return withoutBody<std::vector<PaymentInstrumentModel>>(kInstrumentsPath, HTTPMethod::get(),
                                                            query);
}

Endpoint<PaymentInstrumentModel> instrument(std::string_view instrumentType,
                                            std::string_view instrumentId, bool remove) {
    const std::string path = std::string(kInstrumentsPath) + "/" + pathSegment(instrumentType) +
                             "/" + pathSegment(instrumentId);
    return withoutBody<PaymentInstrumentModel>(
        path, remove ? HTTPMethod::delete_() : HTTPMethod::get(), {});
}

Endpoint<InstrumentVerificationResponse> startVerification(
    StartInstrumentVerificationRequest request) {
    return Endpoint<InstrumentVerificationResponse>(
        kVerificationsPath, HTTPMethod::post(), {}, {},
        EndpointParametersEncoder::json(std::move(request)),
        EndpointDecoder<InstrumentVerificationResponse>::json(sharedResponseDecoder()),
        defaultErrorProcessor());
}

Endpoint<InstrumentVerificationSessionsResponse> verifications(
    const std::vector<HTTPQueryParam>& query) {
    return withoutBody<InstrumentVerificationSessionsResponse>(kVerificationsPath,
                                                               HTTPMethod::get(), query);
}

Endpoint<InstrumentVerificationResponse> verification(std::string_view sessionId) {
    // An empty session identifier (a return address with "sessionId=") is still asked for,
    // as the verification path followed by "/".
    const auto segment = sessionId.empty() ? std::string() : pathSegment(sessionId);
    return withoutBody<InstrumentVerificationResponse>(
        std::string(kVerificationsPath) + "/" + segment, HTTPMethod::get(), {});
}

}  // namespace corvend::PaymentInstrumentServiceEndpoint
