#include "CorvendWallet/setup/ConfigurationEndpoint.hpp"

#include "CorvendWallet/networking/DefaultErrorProcessor.hpp"

namespace corvend::ConfigurationEndpoint {

Endpoint<ConfigurationResult> configurations() {
    return Endpoint<ConfigurationResult>(
        "digitalwallets/v1/auth/configurations", HTTPMethod::get(), {}, {},
        EndpointParametersEncoder::empty(),
        EndpointDecoder<ConfigurationResult>::json(sharedResponseDecoder()),
        defaultErrorProcessor());
}

}  // namespace corvend::ConfigurationEndpoint
