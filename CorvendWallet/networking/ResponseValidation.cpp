#include "CorvendWallet/networking/ResponseValidation.hpp"

#include "CorvendWallet/foundation/ErrorCode.hpp"
#include "CorvendWallet/foundation/WalletError.hpp"
#include "platform/async/CancellationError.hpp"
#include "platform/foundation/NeverDestroyed.hpp"
#include "platform/json/DecodingError.hpp"

namespace corvend {

namespace ErrorCode = model::ErrorCode;

namespace {
// A string, not a view: the fields' map looks up std::string keys, and building one per reply
// would allocate. Never destroyed: replies may still arrive while the process exits.
const platform::NeverDestroyed<std::string> kCorrelationHeader("x-internal-correlation-id");
}  // namespace

std::optional<std::string> correlationID(const platform::HTTPURLResponse& response) {
    const auto& headers = response.allHeaderFields();
    const auto it = headers.find(*kCorrelationHeader);
    if (it == headers.end()) return std::nullopt;
    return it->second;
}

void validateResponse(const platform::URLResponse* response,
                      const std::optional<platform::Data>& body, const EndpointBase& endpoint,
                      const NetworkManagerErrorReporter& reporter,
                      const std::function<void(const std::optional<platform::Data>&)>& decode) {
    using model::WalletError;
    const auto* http = dynamic_cast<const platform::HTTPURLResponse*>(response);
    if (http == nullptr) throw WalletError::internalError(ErrorCode::unexpectedReply, std::nullopt);
    // Read only on the way to an error: a successful reply does not copy it.
    const auto id = [http] { return correlationID(*http); };

    const auto report = [&](const platform::DecodingError& error) {
        if (reporter.decodingError) {
            reporter.decodingError(error, id(), endpoint.httpMethod(), endpoint.urlText());
        }
    };

    const int status = http->statusCode();
    if (status >= 200 && status <= 299) {
        try {
            decode(body);
            return;
        } catch (const EndpointError& error) {
            if (error.value() != EndpointError::Case::noResponse) {
                throw WalletError::internalError(ErrorCode::unexpectedReply, id());
            }
            report(platform::DecodingError::dataCorrupted(
                platform::DecodingError::Context({}, "No response data")));
            throw WalletError::internalError(ErrorCode::missingBody, id());
        } catch (const platform::DecodingError& error) {
            report(error);
            throw WalletError::internalError(ErrorCode::undecodableBody, id());
        } catch (const platform::CancellationError&) {
            // A decode given up (the process is ending) ends the call as cancelled: it failed
            // nothing, so it is neither an internal error nor reported.
            throw;
        } catch (...) {
            throw WalletError::internalError(ErrorCode::unexpectedReply, id());
        }
    }

    if (endpoint.errorProcessor().processError) {
        endpoint.errorProcessor().processError(*http, body);
    }
    throw WalletError::internalError(ErrorCode::unexpectedReply, id());
}

}  // namespace corvend
