#include "examples/wallet-cli/UnseenEnd.hpp"

#include <algorithm>

#include "examples/wallet-cli/CommandWords.hpp"
#include "examples/wallet-cli/TerminalText.hpp"
#include "platform/web/WebView.hpp"

namespace corvend::cli {

namespace {

// Whether the kit's failure after a request was sent says how the service ended it: a reply it
// read as the service's own refusal (4xx), or a failure before anything was sent. A 5xx, an
// error reply without the service's document (its status not kept: a gateway's 502 or 504 is
// one) and a success whose body could not be read may all come after the service acted.
bool replyUnseen(const Wallet::WalletError& error) {
    using Kind = Wallet::WalletError::Kind;
    switch (error.kind()) {
        case Kind::dataError: {
            const auto status = error.as<Wallet::WalletError::DataError>()->details.httpStatus;
            return status < 400 || status >= 500;
        }
        case Kind::internalError: {
            const auto& code = error.as<Wallet::WalletError::InternalError>()->code;
            namespace Code = model::ErrorCode;
            return code == Code::unexpectedReply || code == Code::missingBody ||
                   code == Code::undecodableBody || code == Code::unreadableErrorDocument ||
                   code == Code::unmappableInstrument || code == Code::serverError;
        }
        case Kind::serviceUnavailable:
            return true;
        case Kind::tokenExpired:
        case Kind::notConfigured:
            break;
    }
    return false;
}

}  // namespace

bool endUnseen(const Error& error) {
    if (error.isCancellation() || error.is<OtherRecordNamed>()) return true;
    if (const auto walletError = error.as<Wallet::WalletError>()) return replyUnseen(*walletError);
    const auto transport = error.as<platform::URLError>();
    if (!transport) return false;
    using Code = platform::URLError::Code;
    switch (transport->code()) {
        case Code::badURL:
        case Code::unsupportedURL:
        case Code::cannotFindHost:
        case Code::cannotConnectToHost:
        case Code::secureConnectionFailed:
        case Code::serverCertificateUntrusted:
        case Code::invalidHeaderValue:
            return false;
        case Code::unknown:
        case Code::cancelled:
        case Code::timedOut:
        case Code::networkConnectionLost:
        case Code::badServerResponse:
        case Code::cannotParseResponse:
        case Code::dataLengthExceedsMaximum:
        case Code::pageReadLimitExceeded:
            break;
    }
    return true;
}

std::string unseenWhy(const Error& error) {
    // It says itself what the reply was instead.
    if (error.is<OtherRecordNamed>()) return messageText(error);
    const bool noReply = error.isCancellation() || error.is<platform::URLError>();
    return (noReply ? "no reply came (" : "the reply did not say how it ended (") +
           unseenReason(error) + ")";
}

std::string unseenReason(const Error& error) {
    const auto walletError = error.as<Wallet::WalletError>();
    if (!walletError) return messageText(error);
    using Kind = Wallet::WalletError::Kind;
    switch (walletError->kind()) {
        case Kind::dataError: {
            const auto& details = walletError->as<Wallet::WalletError::DataError>()->details;
            const std::string status = "HTTP " + std::to_string(details.httpStatus);
            if (details.code.empty()) return status;
            return status + " [" + TerminalText::inLine(details.code) + "]";
        }
        case Kind::internalError:
            return "Internal error. [" +
                   walletError->as<Wallet::WalletError::InternalError>()->code + "]";
        case Kind::serviceUnavailable:
            return "Service Unavailable, HTTP 503";
        case Kind::tokenExpired:
        case Kind::notConfigured:
            break;
    }
    return messageText(error);
}

std::string mayHaveReached(std::string_view what, std::string_view read) {
    return std::string(what) + " may have reached the service (`" + std::string(read) +
           "` shows it)";
}

std::string asNewestOf(std::string_view list) {
    const std::string command(list);
    return "(it would be the newest: `" + command + "` gives the count N, `" + command +
           " 1 <N-1>` shows the newest)";
}

bool pageChoiceUnseen(const platform::ui::ViewPtr& view) {
    if (!view) return false;
    if (const auto web = std::dynamic_pointer_cast<platform::web::WebView>(view)) {
        // Past the first page, a navigation is a link followed: however it ended (another
        // page, an error, a redirect that could not load), only a return address tells.
        if (web->page() && (web->isLoading() || web->loadsEnded() > 1)) return true;
    }
    return std::ranges::any_of(view->subviews(), pageChoiceUnseen);
}

}  // namespace corvend::cli
