#pragma once

#include <boost/describe.hpp>
#include <optional>
#include <string>
#include <vector>

#include "CorvendWallet/models/PaymentPropertyModel.hpp"
#include "CorvendWallet/models/SimpleFeePaymentModel.hpp"
#include "CorvendWallet/services/money/PaymentTermsModel.hpp"
#include "platform/foundation/Date.hpp"

namespace corvend {

// What a deposit and a withdrawal reply both carry: the terms, then what the service added.
// Read only; the non-optional members are required (missing, null or of another type fails
// the whole reply). Identifiers end in "Id" ("customerId", "slipId"); enumerated values stay
// text, so a value the kit does not know never fails a reply. A domain whose record carries
// more derives from it and describes it as its base.
struct PaymentRecordResponse : PaymentTermsModel {
    std::optional<std::vector<PaymentPropertyModel>> paymentProperties{};
    std::string id;
    std::string customerId;
    std::string accountId;
    std::optional<std::string> slipId{};
    std::optional<std::string> fundingTransactionId{};
    platform::Date creationTime;
    std::optional<platform::Date> expirationTime{};
    std::string status;
    std::optional<std::string> statusReason{};
    std::optional<std::vector<SimpleFeePaymentModel>> fees{};

    friend bool operator==(const PaymentRecordResponse&, const PaymentRecordResponse&) = default;
};
BOOST_DESCRIBE_STRUCT(PaymentRecordResponse, (PaymentTermsModel),
                      (paymentProperties, id, customerId, accountId, slipId, fundingTransactionId,
                       creationTime, expirationTime, status, statusReason, fees))

}  // namespace corvend
