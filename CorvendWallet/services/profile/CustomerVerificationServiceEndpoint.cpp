#include "CorvendWallet/services/profile/CustomerVerificationServiceEndpoint.hpp"

#include "CorvendWallet/setup/WebReturnURL.hpp"
#include "CorvendWallet/networking/JSONEndpoints.hpp"
#include "CorvendWallet/networking/PathSegment.hpp"

namespace corvend::CustomerVerificationServiceEndpoint {

Endpoint<KycVerificationResponse> kycStatus() {
    return jsonGetEndpoint<KycVerificationResponse>(kStatusPath);
}

Endpoint<KycSessionResponse> createKycSession(const model::CustomerVerificationRequest& request) {
    return jsonPostEndpoint<KycSessionResponse>(
        kSessionsPath, CustomerVerificationRequest{.merchantRefNum = request.merchantRefNum(),
                                                   .language = request.language(),
                                                   .returnUrl = std::string(kWebReturnURL)});
}

Endpoint<KycSessionResponse> kycSession(std::string_view id) {
    return jsonGetEndpoint<KycSessionResponse>(std::string(kSessionsPath) + "/" + pathSegment(id));
}

}  // namespace corvend::CustomerVerificationServiceEndpoint
