#pragma once

#include <boost/describe.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CorvendWallet/models/PagingResultMetaModel.hpp"
#include "CorvendWallet/models/PaymentOptionDetailsResponse.hpp"
#include "CorvendWallet/models/PaymentPropertyModel.hpp"
#include "CorvendWallet/services/cards/PaymentInstrumentModel.hpp"
#include "CorvendWallet/services/cards/PaymentInstrumentReferenceModel.hpp"
#include "CorvendWallet/services/money/DepositRequest.hpp"
#include "CorvendWallet/services/money/GetDepositsParameters.hpp"
#include "CorvendWallet/services/money/PaymentFlow.hpp"
#include "CorvendWallet/services/money/PaymentFlowStatusUpdate.hpp"
#include "CorvendWallet/services/money/PaymentPreviewBody.hpp"
#include "CorvendWallet/services/money/PaymentRecordResponse.hpp"

// The wire side of deposits: the JSON models of the service's deposit collection and the
// domain that the shared payment flow builds its calls from. Reply identifiers end in "Id"
// ("customerId", "slipId"); enumerated values stay text here, so a value the kit does not know
// never fails a reply.
namespace corvend::DepositServiceEndpoint {

// The deposit collection; a deposit is at this path + "/" + its identifier.
inline constexpr std::string_view kDepositsPath = "digitalwallets/v1/profile/deposits";

// The body of the status change that creates a deposit: "status", "paymentProperties" when
// present, then "paymentInstrument" in its own flat form when present. Confirm sends the
// shared body without an instrument.
struct DepositStatusUpdateRequest : PaymentStatusUpdateRequest {
    std::optional<PaymentInstrumentModel> paymentInstrument{};

    friend bool operator==(const DepositStatusUpdateRequest&,
                           const DepositStatusUpdateRequest&) = default;
};
BOOST_DESCRIBE_STRUCT(DepositStatusUpdateRequest, (PaymentStatusUpdateRequest), (paymentInstrument))

// A return or redirect address. Read and written; each key may be missing or null, and is left
// out when absent.
struct Link {
    std::optional<std::string> rel{};
    std::optional<std::string> href{};
    std::optional<std::string> method{};

    friend bool operator==(const Link&, const Link&) = default;
};
BOOST_DESCRIBE_STRUCT(Link, (), (rel, href, method))

// The instrument a deposit used: "id" and "instrumentType", both required strings.
using PaymentInstrumentReference = PaymentInstrumentReferenceModel;

// The preview body: the shared head, then "returnUrls" and "paymentProperties". Written only;
// absent values are left out, empty lists written as [].
struct DepositNetworkRequest : PaymentPreviewBody {
    std::optional<std::vector<Link>> returnUrls{};
    std::optional<std::vector<PaymentPropertyModel>> paymentProperties{};

    friend bool operator==(const DepositNetworkRequest&, const DepositNetworkRequest&) = default;
};
BOOST_DESCRIBE_STRUCT(DepositNetworkRequest, (PaymentPreviewBody), (returnUrls, paymentProperties))

// The preview body of `request`: enumerations as their wire strings, a link's or property's
// absent values left out, and the device block with `deviceFingerprint` and "MOBILE_APP".
DepositNetworkRequest toDepositNetworkRequest(const model::DepositRequest& request,
                                              std::string deviceFingerprint);

// One deposit as the service sends it: the shared record, and the deposit's links, next
// statuses and action. Read only; all four of its own keys may be missing or null.
struct CustomerDepositResponse : PaymentRecordResponse {
    std::optional<std::vector<Link>> returnUrls{};
    std::optional<std::vector<std::string>> nextStatus{};
    std::optional<Link> redirectUrl{};
    std::optional<std::string> action{};

    friend bool operator==(const CustomerDepositResponse&,
                           const CustomerDepositResponse&) = default;
};
BOOST_DESCRIBE_STRUCT(CustomerDepositResponse, (PaymentRecordResponse),
                      (returnUrls, nextStatus, redirectUrl, action))

// One page of deposits. Read only; both keys may be missing or null.
struct DepositListResponse {
    std::optional<std::vector<CustomerDepositResponse>> deposits{};
    std::optional<PagingResultMetaModel> meta{};

    friend bool operator==(const DepositListResponse&, const DepositListResponse&) = default;
};
BOOST_DESCRIBE_STRUCT(DepositListResponse, (), (deposits, meta))

// What the shared payment flow needs to serve deposits.
struct DepositFlow {
    static constexpr std::string_view kCollectionPath = kDepositsPath;
    using Record = CustomerDepositResponse;
    using Page = DepositListResponse;
};

// The five calls under kDepositsPath (see PaymentFlow for the shared rules, among them the
// escaping of identifiers and the refusal of "", "." and ".." with "I0001"):
// GET kDepositsPath/options, read as a bare array; one value for the life of the process.
const Endpoint<std::vector<PaymentOptionDetailsResponse>>& paymentOptions();
// GET kDepositsPath, with the parameters' query items when given.
Endpoint<DepositListResponse> deposits(
    const std::optional<model::GetDepositsParameters>& parameters);
// GET kDepositsPath/{id}.
Endpoint<CustomerDepositResponse> deposit(std::string_view id);
// POST kDepositsPath with the preview body of `request` (see toDepositNetworkRequest()).
Endpoint<CustomerDepositResponse> previewDeposit(const model::DepositRequest& request,
                                                 std::string deviceFingerprint);
// POST kDepositsPath/{id}/status with {"status", "paymentProperties"?, "paymentInstrument"?}.
Endpoint<CustomerDepositResponse> updateDepositStatus(
    std::string_view id, DepositStatusUpdateRequest::Status status,
    std::optional<std::vector<PaymentPropertyModel>> paymentProperties,
    std::optional<PaymentInstrumentModel> paymentInstrument);

}  // namespace corvend::DepositServiceEndpoint
