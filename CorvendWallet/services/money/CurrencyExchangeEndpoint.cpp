#include "CorvendWallet/services/money/CurrencyExchangeEndpoint.hpp"

#include <utility>

#include "CorvendWallet/networking/DefaultErrorProcessor.hpp"
#include "CorvendWallet/networking/HTTPMethod.hpp"
#include "CorvendWallet/networking/PathSegment.hpp"
#include "CorvendWallet/networking/SharedCoders.hpp"

namespace corvend::CurrencyExchangeEndpoint {

Endpoint<FXRateResponse> getQuote(std::string_view id) {
    // Encoded before the path is joined, so an identifier cannot reach another resource.
    const std::string path = std::string(kQuotesPath) + "/" + pathSegment(id);
    return Endpoint<FXRateResponse>(
        path, HTTPMethod::get(), {}, {}, EndpointParametersEncoder::empty(),
        EndpointDecoder<FXRateResponse>::json(sharedResponseDecoder()), defaultErrorProcessor());
}

Endpoint<FXRateResponse> createQuote(FXRateRequest request) {
    return Endpoint<FXRateResponse>(kQuotesPath, HTTPMethod::post(), {}, {},
                                    EndpointParametersEncoder::json(std::move(request)),
                                    EndpointDecoder<FXRateResponse>::json(sharedResponseDecoder()),
                                    defaultErrorProcessor());
}

}  // namespace corvend::CurrencyExchangeEndpoint
