#include "CorvendWallet/setup/DeviceFingerprintProviderError.hpp"

namespace corvend {

const char* DeviceFingerprintProviderError::what() const noexcept {
    switch (code_) {
        case Code::unknown:
            return "DeviceFingerprintProviderError.unknown";
    }
    return "DeviceFingerprintProviderError";
}

}  // namespace corvend
