#pragma once

#include <boost/describe.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CorvendWallet/models/PagingResultMetaModel.hpp"
#include "CorvendWallet/models/PaymentOptionDetailsResponse.hpp"
#include "CorvendWallet/models/PaymentPropertyModel.hpp"
#include "CorvendWallet/services/cards/PaymentInstrumentReferenceModel.hpp"
#include "CorvendWallet/services/money/GetWithdrawalsParameters.hpp"
#include "CorvendWallet/services/money/PaymentFlow.hpp"
#include "CorvendWallet/services/money/PaymentFlowStatusUpdate.hpp"
#include "CorvendWallet/services/money/PaymentPreviewBody.hpp"
#include "CorvendWallet/services/money/PaymentRecordResponse.hpp"
#include "CorvendWallet/services/money/WithdrawalRequest.hpp"

// The wire side of withdrawals: the JSON records of the service's withdrawal collection.
// Reply identifiers end in "Id" ("accountId", "slipId"), while the list query sends "slipID".
// Enumerated values stay text here, so a value the kit does not know never fails a reply.
namespace corvend::WithdrawalServiceEndpoint {

// The withdrawal collection; a withdrawal is at this path + "/" + its identifier.
inline constexpr std::string_view kWithdrawalsPath = "digitalwallets/v1/profile/withdrawals";

// The create and confirm body: "status" ("PENDING" or "PROCESSING") and the properties when
// present. It carries no instrument.
using WithdrawalStatusUpdateRequest = PaymentStatusUpdateRequest;

// The preview body: the shared head, then "paymentProperties". Written only; absent values are
// left out, an empty list is written as [].
struct WithdrawalRequest : PaymentPreviewBody {
    std::optional<std::vector<PaymentPropertyModel>> paymentProperties{};

    friend bool operator==(const WithdrawalRequest&, const WithdrawalRequest&) = default;
};
BOOST_DESCRIBE_STRUCT(WithdrawalRequest, (PaymentPreviewBody), (paymentProperties))

// The preview body of `request`: enumerations as their wire strings ("UNKNOWN" for
// `unknown`), a property's absent key left out, and always the device block with
// `deviceFingerprint` and "MOBILE_APP". Never fails.
WithdrawalRequest toWithdrawalRequest(const model::WithdrawalRequest& request,
                                      std::string deviceFingerprint);

// One withdrawal as the service sends it: the reply of preview, create, confirm and read,
// and each element of a list. It carries exactly the shared record (see
// PaymentRecordResponse).
using WithdrawalResponse = PaymentRecordResponse;

// One page of withdrawals. Read only; "withdrawals" is required, "meta" may be missing or null.
struct WithdrawalListResponse {
    std::vector<WithdrawalResponse> withdrawals;
    std::optional<PagingResultMetaModel> meta{};

    friend bool operator==(const WithdrawalListResponse&, const WithdrawalListResponse&) = default;
};
BOOST_DESCRIBE_STRUCT(WithdrawalListResponse, (), (withdrawals, meta))

// The withdrawal domain of the shared payment flow (see PaymentFlow).
struct WithdrawalFlow {
    static constexpr std::string_view kCollectionPath = kWithdrawalsPath;
    using Record = WithdrawalResponse;
    using Page = WithdrawalListResponse;
};

// The five calls under kWithdrawalsPath (see PaymentFlow for the shared rules, among them the
// escaping of identifiers and the refusal of "", "." and ".." with "I0001"):
// GET kWithdrawalsPath/options, read as a bare array; one value for the life of the process.
const Endpoint<std::vector<PaymentOptionDetailsResponse>>& paymentOptions();
// GET kWithdrawalsPath, with the parameters' query items when given.
Endpoint<WithdrawalListResponse> withdrawals(
    const std::optional<model::GetWithdrawalsParameters>& parameters);
// GET kWithdrawalsPath/{id}.
Endpoint<WithdrawalResponse> withdrawal(std::string_view id);
// POST kWithdrawalsPath with the preview body of `request` (see toWithdrawalRequest()).
Endpoint<WithdrawalResponse> previewWithdrawal(const model::WithdrawalRequest& request,
                                               std::string deviceFingerprint);
// POST kWithdrawalsPath/{id}/status with {"status", "paymentProperties"?}.
Endpoint<WithdrawalResponse> updateWithdrawalStatus(
    std::string_view id, WithdrawalStatusUpdateRequest::Status status,
    std::optional<std::vector<PaymentPropertyModel>> paymentProperties);

// The payment-options entries that deposits share (see PaymentOptionDetailsResponse).
using PaymentOptionDetailsResponse = corvend::PaymentOptionDetailsResponse;
using PaymentOptionSettingsModel = corvend::PaymentOptionSettingsModel;

}  // namespace corvend::WithdrawalServiceEndpoint
