#include <cstddef>
#include <cstdint>

#include "CorvendWallet/setup/ConfigurationEndpoint.hpp"
#include "fuzz/JSONRoundTrip.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return corvend::fuzz::roundTrip<corvend::ConfigurationEndpoint::ConfigurationResult>(data,
                                                                                         size);
}
