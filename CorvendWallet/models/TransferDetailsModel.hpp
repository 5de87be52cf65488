#pragma once

#include <boost/describe.hpp>
#include <optional>
#include <string>

#include "CorvendWallet/models/TransferDetails.hpp"

namespace corvend {

// The transfer details of the transfer request and of transfer and transaction replies.
// Both keys may be missing or null, and are left out when absent.
struct TransferDetailsModel {
    std::optional<std::string> reason{};
    std::optional<std::string> description{};

    friend bool operator==(const TransferDetailsModel&, const TransferDetailsModel&) = default;
};
BOOST_DESCRIBE_STRUCT(TransferDetailsModel, (), (reason, description))

// The reason read by fromWire() (absent reads as `unknown`), the description
// copied.
model::TransferDetails toTransferDetails(const TransferDetailsModel& details);

// The reason always written, `unknown` as "UNKNOWN"; the description copied.
TransferDetailsModel toTransferDetailsModel(const model::TransferDetails& details);

}  // namespace corvend
