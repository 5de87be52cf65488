#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "CorvendWallet/models/InstrumentType.hpp"
#include "CorvendWallet/models/PaymentOptionSettings.hpp"
#include "CorvendWallet/models/PaymentOptionType.hpp"

namespace corvend::model {

// One entry of the deposit or withdrawal payment-options list.
struct PaymentOptionDetails {
    std::optional<std::vector<InstrumentType>> instrumentTypes{};
    std::optional<PaymentOptionType> paymentOption{};
    std::shared_ptr<const PaymentOptionSettings> paymentOptionSettings{};  // null when absent

    // Compares the options and the instrument-type lists; of the settings only their
    // payment option counts (absent settings equal only absent settings), so two entries
    // whose card settings list other schemes are equal.
    friend bool operator==(const PaymentOptionDetails& a, const PaymentOptionDetails& b);
};

}  // namespace corvend::model
