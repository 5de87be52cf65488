#pragma once

// The codes the kit's own failures carry. The texts are what hosts see and match on: never
// change one. "I" codes are WalletError::internalError's, "C" codes ConfigurationError's.
namespace corvend::model::ErrorCode {

// The request's URL cannot be formed: an endpoint path that does not parse, an identifier "." or
// "..", a URL over the length limit. Raised before sending by NetworkManager and pathSegment().
inline constexpr char invalidURL[] = "I0001";

// The request body cannot be encoded. Raised before sending by NetworkManager.
inline constexpr char unencodableBody[] = "I0002";

// A reply the kit cannot use: not an HTTP reply, a decoder failing other than by decoding, an
// error processor that returned (validateResponse); an instrument verification page that is no
// absolute http(s) address (PaymentInstrumentRepository).
inline constexpr char unexpectedReply[] = "I0003";

// A 2xx reply without a body; also reported as an error event. Raised by validateResponse.
inline constexpr char missingBody[] = "I0004";

// A 2xx body that does not decode; also reported as an error event. Raised by validateResponse.
inline constexpr char undecodableBody[] = "I0005";

// An error reply (other than 404) without a readable error document. Raised by the default
// error processor.
inline constexpr char unreadableErrorDocument[] = "I0006";

// A single instrument read or deleted that the kit cannot turn into a public instrument. Raised
// by PaymentInstrumentRepository.
inline constexpr char unmappableInstrument[] = "I0007";

// The system did not open an instrument verification page. Raised by
// PaymentInstrumentRepository.
inline constexpr char urlNotOpened[] = "I0008";

// A card's secure-details reply whose "redirectUrl" is no URL. Raised by the secure-details
// screen's interactor.
inline constexpr char invalidRedirectURL[] = "I0009";

// HTTP 403. Raised by the default error processor.
inline constexpr char forbidden[] = "I0403";

// HTTP 404 without a readable error document. Raised by the default error processor.
inline constexpr char notFound[] = "I0404";

// HTTP 500 (the default error processor); also an instrument verification's return address
// without a usable "sessionId" (PaymentInstrumentRepository).
inline constexpr char serverError[] = "I0500";

// The set-up's base URL is not an absolute http(s) address. Raised by WalletCore::configure.
inline constexpr char invalidBaseURL[] = "C0001";

// Device profiling yielded no fingerprint. Raised by WalletCore::configure.
inline constexpr char fingerprintFailed[] = "C0002";

// The service refused the configuration token (HTTP 401). Raised by WalletCore::configure.
inline constexpr char invalidConfigurationToken[] = "C0003";

// The set-up found a network manager without an environment. Raised by WalletCore::configure.
inline constexpr char configurationInternal[] = "C0004";

// Any other failure of the set-up. Raised by WalletCore::configure.
inline constexpr char configurationFailed[] = "C0100";

// The service was unavailable during the set-up (HTTP 503). Raised by WalletCore::configure.
inline constexpr char configurationServiceUnavailable[] = "C0503";

}  // namespace corvend::model::ErrorCode
