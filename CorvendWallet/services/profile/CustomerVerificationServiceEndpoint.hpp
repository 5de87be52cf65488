#pragma once

#include <boost/describe.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "CorvendWallet/networking/Endpoint.hpp"
#include "CorvendWallet/services/profile/CustomerVerificationRequest.hpp"
#include "platform/foundation/Date.hpp"

// The wire side of identity verification: the status call and the two session calls that the
// identity-verification screen makes.
namespace corvend::CustomerVerificationServiceEndpoint {

inline constexpr std::string_view kStatusPath = "digitalwallets/v1/profile/kyc/status";
inline constexpr std::string_view kSessionsPath = "digitalwallets/v1/profile/kyc/sessions";

// The session-creation body. Written only; "language" is left out when absent.
struct CustomerVerificationRequest {
    std::string merchantRefNum;
    std::optional<std::string> language{};
    std::string returnUrl;
};
BOOST_DESCRIBE_STRUCT(CustomerVerificationRequest, (), (merchantRefNum, language, returnUrl))

// The status reply; every key required, the status kept as text.
struct KycVerificationResponse {
    std::string customerId;
    std::string externalId;
    std::string kycVerificationStatus;

    friend bool operator==(const KycVerificationResponse&,
                           const KycVerificationResponse&) = default;
};
BOOST_DESCRIBE_STRUCT(KycVerificationResponse, (), (customerId, externalId, kycVerificationStatus))

// The reply of both session calls: "merchantRefNum", "id" and "status" required.
struct KycSessionResponse {
    std::string merchantRefNum;
    std::optional<std::string> returnUrl{};
    std::optional<std::string> language{};
    std::string id;
    std::optional<std::string> customerId{};
    std::optional<std::string> externalId{};
    std::optional<platform::Date> creationTime{};
    std::optional<platform::Date> expirationTime{};
    std::string status;
    std::optional<std::string> redirectUrl{};

    friend bool operator==(const KycSessionResponse&, const KycSessionResponse&) = default;
};
BOOST_DESCRIBE_STRUCT(KycSessionResponse, (),
                      (merchantRefNum, returnUrl, language, id, customerId, externalId,
                       creationTime, expirationTime, status, redirectUrl))

// GET kStatusPath.
Endpoint<KycVerificationResponse> kycStatus();

// POST kSessionsPath with the request's reference and language, and kWebReturnURL as
// "returnUrl".
Endpoint<KycSessionResponse> createKycSession(const model::CustomerVerificationRequest& request);

// GET kSessionsPath + "/" + `id` as one path segment: throws model::WalletError internalError
// "I0001" for "", "." and "..", before anything is sent.
Endpoint<KycSessionResponse> kycSession(std::string_view id);

}  // namespace corvend::CustomerVerificationServiceEndpoint
