#pragma once

#include "CorvendWallet/networking/Endpoint.hpp"

namespace corvend {

// The error processor of every endpoint of the kit. Always throws a model::WalletError:
// 401 tokenExpired, 403 "I0403", 500 "I0500", 503 serviceUnavailable (the body unread);
// otherwise the service's error document as dataError with the status, or, when there is no
// readable document, "I0404" for 404 and "I0006" for the rest. Every error carries the reply's
// correlation identifier. One process-wide value, never destroyed.
const EndpointErrorProcessor& defaultErrorProcessor();

}  // namespace corvend
