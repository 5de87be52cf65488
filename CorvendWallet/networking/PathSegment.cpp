#include "CorvendWallet/networking/PathSegment.hpp"

#include "CorvendWallet/foundation/ErrorCode.hpp"
#include "CorvendWallet/foundation/WalletError.hpp"
#include "platform/url/PercentEncoding.hpp"

namespace corvend {

namespace ErrorCode = model::ErrorCode;

std::string pathSegment(std::string_view identifier) {
    if (identifier.empty() || identifier == "." || identifier == "..") {
        throw model::WalletError::internalError(ErrorCode::invalidURL, std::nullopt);
    }
    return platform::percentEncodeUnreserved(identifier);
}

}  // namespace corvend
