#include "CorvendWallet/foundation/AskedRecord.hpp"

#include <string>

#include "CorvendWallet/foundation/WalletError.hpp"

namespace corvend {

void requireAskedRecord(std::string_view asked, std::string_view named) {
    if (!named.empty() && named != asked) {
        throw model::WalletError::otherRecordNamed(std::string(named));
    }
}

}  // namespace corvend
