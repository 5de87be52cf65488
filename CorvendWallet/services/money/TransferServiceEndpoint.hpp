#pragma once

#include <boost/describe.hpp>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CorvendWallet/models/DeviceInfoModel.hpp"
#include "CorvendWallet/models/FxAmountModel.hpp"
#include "CorvendWallet/models/PagingResultMetaModel.hpp"
#include "CorvendWallet/models/PaymentPropertyModel.hpp"
#include "CorvendWallet/models/SimpleFeePaymentModel.hpp"
#include "CorvendWallet/models/TransferDetailsModel.hpp"
#include "CorvendWallet/networking/Endpoint.hpp"
#include "CorvendWallet/services/money/CustomerTransferRequest.hpp"
#include "CorvendWallet/services/money/GetTransferParameters.hpp"
#include "CorvendWallet/services/money/PaymentFlowStatusUpdate.hpp"
#include "platform/foundation/Date.hpp"

// The wire side of transfers: the JSON models and REST calls of the transfer collection.
namespace corvend::TransferServiceEndpoint {

inline constexpr std::string_view kTransfersPath = "digitalwallets/v1/profile/transfers";

// The recipient block of requests and replies: both keys optional, left out when absent, so a
// recipient with neither is written as {}. Note the wire spelling "customerId".
struct CustomerTransferRecipient {
    std::optional<std::string> customerId{};
    std::optional<std::string> email{};

    friend bool operator==(const CustomerTransferRecipient&,
                           const CustomerTransferRecipient&) = default;
};
BOOST_DESCRIBE_STRUCT(CustomerTransferRecipient, (), (customerId, email))

// The preview body. Written only; "amount", "currencyCode" and "transferDetails" always,
// the others only when present.
struct CustomerTransferRequest {
    std::int64_t amount = 0;
    std::string currencyCode;
    std::optional<CustomerTransferRecipient> recipient{};
    std::optional<std::string> merchantRefNum{};
    std::optional<DeviceInfoModel> deviceInfo{};
    std::optional<std::string> fxQuote{};
    TransferDetailsModel transferDetails;

    // The public request with the device block of `deviceFingerprint`: the recipient's fields
    // copied as they are, the reason always written ("UNKNOWN" for `unknown`).
    static CustomerTransferRequest make(const model::CustomerTransferRequest& request,
                                        std::string deviceFingerprint);

    friend bool operator==(const CustomerTransferRequest&,
                           const CustomerTransferRequest&) = default;
};
BOOST_DESCRIBE_STRUCT(CustomerTransferRequest, (),
                      (amount, currencyCode, recipient, merchantRefNum, deviceInfo, fxQuote,
                       transferDetails))

// The create and confirm body: {"status", "paymentProperties"?}.
using ProcessTransfer = PaymentStatusUpdateRequest;

// One transfer as the service sends it. Read only. Required: "id", "amount", "currencyCode",
// "transferDetails" (may be {}), "creationTime", "status" (kept as text). Note "slipId".
struct CustomerTransferResponse {
    std::string id;
    std::int64_t amount = 0;
    std::string currencyCode;
    std::optional<CustomerTransferRecipient> recipient{};
    std::optional<std::string> merchantRefNum{};
    std::optional<std::string> fxQuote{};
    TransferDetailsModel transferDetails;
    std::optional<std::vector<SimpleFeePaymentModel>> fees{};
    platform::Date creationTime;
    std::optional<platform::Date> expirationTime{};
    std::string status;
    std::optional<std::string> slipId{};
    std::optional<FxAmountModel> fxAmount{};

    friend bool operator==(const CustomerTransferResponse&,
                           const CustomerTransferResponse&) = default;
};
BOOST_DESCRIBE_STRUCT(CustomerTransferResponse, (),
                      (id, amount, currencyCode, recipient, merchantRefNum, fxQuote,
                       transferDetails, fees, creationTime, expirationTime, status, slipId,
                       fxAmount))

// One page of transfers. Read only; "transfers" is required (may be empty).
struct CustomerTransferListResponse {
    std::vector<CustomerTransferResponse> transfers;
    std::optional<PagingResultMetaModel> meta{};

    friend bool operator==(const CustomerTransferListResponse&,
                           const CustomerTransferListResponse&) = default;
};
BOOST_DESCRIBE_STRUCT(CustomerTransferListResponse, (), (transfers, meta))

// The transfer domain as the shared payment flow sees it.
struct TransferFlow {
    static constexpr std::string_view kCollectionPath = kTransfersPath;
    using Record = CustomerTransferResponse;
    using Page = CustomerTransferListResponse;
};

// The four calls, each a fresh endpoint (see PaymentFlow for the shared rules, among them
// the escaping of identifiers and the refusal of "", "." and ".." with "I0001"):
// POST kTransfersPath with the preview body.
Endpoint<CustomerTransferResponse> previewTransfer(const model::CustomerTransferRequest& request,
                                                   std::string deviceFingerprint);
// POST kTransfersPath/{id}/status with {"status", "paymentProperties"?}.
Endpoint<CustomerTransferResponse> updateTransferStatus(
    std::string_view id, PaymentFlowStatus status,
    std::optional<std::vector<PaymentPropertyModel>> paymentProperties);
// GET kTransfersPath, with the parameters' query items when given.
Endpoint<CustomerTransferListResponse> transfers(
    const std::optional<model::GetTransferParameters>& parameters);
// GET kTransfersPath/{id}.
Endpoint<CustomerTransferResponse> transfer(std::string_view id);

}  // namespace corvend::TransferServiceEndpoint
