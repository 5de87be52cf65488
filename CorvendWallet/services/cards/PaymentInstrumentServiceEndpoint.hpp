#pragma once

#include <boost/describe.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CorvendWallet/models/PagingResultMetaModel.hpp"
#include "CorvendWallet/networking/Endpoint.hpp"
#include "CorvendWallet/services/cards/PaymentInstrumentModel.hpp"
#include "platform/foundation/Date.hpp"

// The wire side of saved instruments and their verification sessions. Instruments travel as
// the flat PaymentInstrumentModel; enumerated values stay text here.
namespace corvend::PaymentInstrumentServiceEndpoint {

inline constexpr std::string_view kInstrumentsPath = "digitalwallets/v1/profile/instruments";
inline constexpr std::string_view kVerificationsPath =
    "digitalwallets/v1/profile/instrument-verifications";

struct StartInstrumentVerificationRequest {
    std::string returnUrl;
    std::string instrumentType;

    friend bool operator==(const StartInstrumentVerificationRequest&,
                           const StartInstrumentVerificationRequest&) = default;
};
BOOST_DESCRIBE_STRUCT(StartInstrumentVerificationRequest, (), (returnUrl, instrumentType))

struct PaymentInstrumentReferenceResponse {
    std::string id;
    std::string instrumentType;

    friend bool operator==(const PaymentInstrumentReferenceResponse&,
                           const PaymentInstrumentReferenceResponse&) = default;
};
BOOST_DESCRIBE_STRUCT(PaymentInstrumentReferenceResponse, (), (id, instrumentType))

struct InstrumentVerificationResponse {
    std::string returnUrl;
    std::string instrumentType;
    std::string id;
    std::string redirectUrl;
    platform::Date creationTime{};
    platform::Date expirationTime{};
    std::optional<PaymentInstrumentReferenceResponse> instrument{};
    std::string sessionStatus;
    std::optional<std::string> statusReason{};

    friend bool operator==(const InstrumentVerificationResponse&,
                           const InstrumentVerificationResponse&) = default;
};
BOOST_DESCRIBE_STRUCT(InstrumentVerificationResponse, (),
                      (returnUrl, instrumentType, id, redirectUrl, creationTime, expirationTime,
                       instrument, sessionStatus, statusReason))

struct InstrumentVerificationSessionsResponse {
    std::optional<std::vector<InstrumentVerificationResponse>> instrumentVerifications{};
    std::optional<PagingResultMetaModel> meta{};

    friend bool operator==(const InstrumentVerificationSessionsResponse&,
                           const InstrumentVerificationSessionsResponse&) = default;
};
BOOST_DESCRIBE_STRUCT(InstrumentVerificationSessionsResponse, (), (instrumentVerifications, meta))

// The calls. Identifiers stand as one path segment (see pathSegment()): "", "." and ".." make
// a builder throw model::WalletError "I0001" before anything is sent, except an empty session
// identifier, which leaves the verification path ending in "/". The list of instruments is a
// bare JSON array.
Endpoint<std::vector<PaymentInstrumentModel>> instruments(const std::vector<HTTPQueryParam>& query);
// GET or DELETE of instruments path + "/" + type + "/" + identifier.
Endpoint<PaymentInstrumentModel> instrument(std::string_view instrumentType,
                                            std::string_view instrumentId, bool remove);
Endpoint<InstrumentVerificationResponse> startVerification(
    StartInstrumentVerificationRequest request);
Endpoint<InstrumentVerificationSessionsResponse> verifications(
    const std::vector<HTTPQueryParam>& query);
Endpoint<InstrumentVerificationResponse> verification(std::string_view sessionId);

}  // namespace corvend::PaymentInstrumentServiceEndpoint
