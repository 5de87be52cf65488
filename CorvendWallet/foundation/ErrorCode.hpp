#pragma once

#include <string_view>

// The codes the kit's own failures carry. The texts are what hosts see and match on: never
// change one. "I" codes are WalletError::internalError's, "C" codes ConfigurationError's (which
// also carries the "I" code of a configuration reply the kit could not use). What each means to
// a host, and what it can do, is `descriptions` below.
namespace corvend::model::ErrorCode {

// Raised before sending by NetworkManager (an endpoint path that does not parse, a URL over the
// length limit) and by pathSegment() (an identifier "", "." or "..").
inline constexpr char invalidURL[] = "I0001";

// Raised before sending by NetworkManager (a body encoder that fails) and by the deposit create
// for a payment instrument it cannot write (DepositRepository).
inline constexpr char unencodableBody[] = "I0002";

// Raised by validateResponse (not an HTTP reply, a decoder failing other than by decoding, an
// error processor that returned) and by PaymentInstrumentRepository (a verification page that is
// no absolute http(s) address).
inline constexpr char unexpectedReply[] = "I0003";

// Raised by validateResponse, which also reports it as an error event.
inline constexpr char missingBody[] = "I0004";

// Raised by validateResponse, which also reports it as an error event.
inline constexpr char undecodableBody[] = "I0005";

// Raised by the default error processor for any status but 404.
inline constexpr char unreadableErrorDocument[] = "I0006";

// Raised by PaymentInstrumentRepository.
inline constexpr char unmappableInstrument[] = "I0007";

// Raised by PaymentInstrumentRepository.
inline constexpr char urlNotOpened[] = "I0008";

// Raised by the secure-details screen's interactor.
inline constexpr char invalidRedirectURL[] = "I0009";

// Raised by requireAskedRecord, for every read or change of one record by its id.
inline constexpr char otherRecordNamed[] = "I0010";

// Raised by the default error processor.
inline constexpr char forbidden[] = "I0403";

// Raised by the default error processor.
inline constexpr char notFound[] = "I0404";

// Raised by the default error processor, and by PaymentInstrumentRepository for a verification's
// return address.
inline constexpr char serverError[] = "I0500";

// Raised by WalletCore::configure.
inline constexpr char invalidBaseURL[] = "C0001";
inline constexpr char fingerprintFailed[] = "C0002";
inline constexpr char invalidConfigurationToken[] = "C0003";
inline constexpr char configurationInternal[] = "C0004";
inline constexpr char configurationFailed[] = "C0100";
inline constexpr char configurationServiceUnavailable[] = "C0503";

// A code as hosts read about it: what it means and what a host can do about it. The README's
// table of error codes is this one, row for row (a test compares them).
struct Description {
    std::string_view code;
    std::string_view meaning;
    std::string_view action;
};

inline constexpr Description descriptions[] = {
    {invalidURL,
     "The request's address could not be formed: an identifier that is empty, \".\" or \"..\", or "
     "an address longer than 8 KiB. Nothing was sent.",
     "Check the identifiers and values given to the call; the same call fails the same way."},
    {unencodableBody,
     "The request's body could not be written, such as a deposit's payment instrument of a type "
     "or structure the kit cannot send. Nothing was sent.",
     "Check the request's values (for a deposit, the instrument's type and its fields); the same "
     "call fails the same way."},
    {unexpectedReply,
     "The reply could not be used (not an HTTP reply, or one the kit could not read), or an "
     "instrument verification's page is not an absolute http or https address.",
     "After a change the service may have acted: read the record before sending the change "
     "again. A read can be tried again; if it lasts, report it with the error's ID when it shows "
     "one."},
    {missingBody,
     "A successful reply came with no body at all (an empty body, such as one of Content-Length "
     "0, is `I0005`).",
     "After a change the service may have acted: read the record before sending the change "
     "again. A read can be tried again; if it lasts, report it with the error's ID when it shows "
     "one."},
    {undecodableBody, "A successful reply's body is not what the call returns.",
     "After a change the service may have acted: read the record before sending the change "
     "again. Report it with the error's ID: the service and this version of the kit disagree, "
     "and trying a read again seldom helps."},
    {unreadableErrorDocument, "An error reply came without a readable error document.",
     "After a change the service may have acted: read the record before sending the change "
     "again. A read can be tried again; if it lasts, report it with the error's ID when it shows "
     "one."},
    {unmappableInstrument,
     "A payment instrument read or deleted could not be read: a type the kit does not know, or "
     "without the fields its kind needs.",
     "After a delete the service may have acted: read the instruments before deleting again. "
     "Otherwise leave the instrument out; if it lasts, report it."},
    {urlNotOpened, "The desktop did not open the instrument verification page (`xdg-open`).",
     "Make sure the desktop has a handler for web addresses, or install an opener of the "
     "application's own that shows the page another way."},
    {invalidRedirectURL, "A card's secure-details reply named a page that is no URL.",
     "Try again later; if it lasts, report it with the error's ID when it shows one."},
    {otherRecordNamed,
     "The reply to a read or change of one record by its id named another record (the error's "
     "`namedRecord`), as a gateway or cache that mixed up replies may send. Nothing of it was "
     "taken.",
     "After a change the service may have acted: read the record before sending the change "
     "again. A read can be tried again; if it lasts, report it."},
    {forbidden, "The service refused the call (HTTP 403).",
     "The customer may not do this; do not retry it as it stands."},
    {notFound, "The service found nothing at the address and sent no error document (HTTP 404).",
     "Check the identifier given to the call."},
    {serverError,
     "The service failed (HTTP 500), or an instrument verification's return address had no "
     "usable \"sessionId\".",
     "After a change the service may have acted: read the record before sending the change "
     "again. A read can be tried again later; for a return address, check that it is the one "
     "the service sent back."},
    {invalidBaseURL,
     "The configuration's base URL is not an absolute http or https URL whose path is empty or "
     "ends in \"/\", with no query or fragment (`https://host` and `https://host/api/` are "
     "taken, `https://host/api` is not).",
     "Fix the base URL, or configure with an `APIEnvironment`, and configure again."},
    {fingerprintFailed, "Device profiling gave no fingerprint.", "Configure again."},
    {invalidConfigurationToken, "The service refused the configuration token (HTTP 401).",
     "Configure again with a valid configuration token."},
    {configurationInternal,
     "The set-up failed inside the kit (a network manager without its environment).",
     "Configure again; if it lasts, report it."},
    {configurationFailed,
     "Any other failure of the set-up, such as the transport's; the message says which.",
     "Read the message, and configure again once its cause is gone."},
    {configurationServiceUnavailable, "The service was unavailable during the set-up (HTTP 503).",
     "Configure again later."},
};

}  // namespace corvend::model::ErrorCode
