#include "CorvendWallet/models/TransferDetailsModel.hpp"

namespace corvend {

model::TransferDetails toTransferDetails(const TransferDetailsModel& details) {
    return {model::fromWire<model::TransferDetails::Reason>(details.reason), details.description};
}

TransferDetailsModel toTransferDetailsModel(const model::TransferDetails& details) {
    return {std::string(toWireValue(details.reason)), details.description};
}

}  // namespace corvend
