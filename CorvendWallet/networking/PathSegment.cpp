#include "CorvendWallet/networking/PathSegment.hpp"

#include "CorvendWallet/foundation/WalletError.hpp"
#include "platform/url/PercentEncoding.hpp"

namespace corvend {

std::string pathSegment(std::string_view identifier) {
    if (identifier.empty() || identifier == "." || identifier == "..") {
        throw model::WalletError::internalError("I0001", std::nullopt);
    }
    return platform::percentEncodeUnreserved(identifier);
}

}  // namespace corvend
