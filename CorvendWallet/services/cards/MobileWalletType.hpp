#pragma once

#include "CorvendWallet/models/WireValueTable.hpp"

namespace corvend::model {

// The device wallet a card is tokenized into.
enum class MobileWalletType { googlePay, applePay, samsungPay, unknown };

template <>
struct WireValues<MobileWalletType> {
    static constexpr auto table = wireValueTable(MobileWalletType::unknown, "UNKNOWN",
                                                 {{MobileWalletType::googlePay, "GOOGLE_PAY"},
                                                  {MobileWalletType::applePay, "APPLE_PAY"},
                                                  {MobileWalletType::samsungPay, "SAMSUNG_PAY"}});
};

}  // namespace corvend::model
