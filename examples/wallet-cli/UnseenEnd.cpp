#include "examples/wallet-cli/UnseenEnd.hpp"

#include <algorithm>

#include "platform/web/WebView.hpp"

namespace corvend::cli {

bool endUnseen(const Error& error) {
    if (error.isCancellation()) return true;
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
            break;
    }
    return true;
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
        if (web->page() &&
            (web->isLoading() || (web->lastError() && endUnseen(Error::make(*web->lastError())))))
            return true;
        // Past the first load, a page is one a link brought.
        if (web->page() && web->page()->statusCode >= 400 && web->loadsEnded() > 1) return true;
    }
    return std::ranges::any_of(view->subviews(), pageChoiceUnseen);
}

}  // namespace corvend::cli
