#include "platform/http/CurlErrorMapping.hpp"

#include <string>
#include <utility>

namespace corvend::platform::detail {

namespace {

std::string_view summaryFor(URLError::Code code) noexcept {
    switch (code) {
        case URLError::Code::cancelled:
            return "The request was cancelled.";
        case URLError::Code::badURL:
            return "The URL is not valid.";
        case URLError::Code::unsupportedURL:
            return "The URL's scheme is not supported.";
        case URLError::Code::timedOut:
            return "The request timed out.";
        case URLError::Code::cannotFindHost:
            return "The server's host name could not be resolved.";
        case URLError::Code::cannotConnectToHost:
            return "Could not connect to the server.";
        case URLError::Code::networkConnectionLost:
            return "The network connection was lost.";
        case URLError::Code::badServerResponse:
            return "The server's reply is not an HTTP reply.";
        case URLError::Code::cannotParseResponse:
            return "The server's reply could not be parsed.";
        case URLError::Code::dataLengthExceedsMaximum:
            return "The reply is larger than the session accepts.";
        case URLError::Code::secureConnectionFailed:
            return "A secure connection to the server could not be made.";
        case URLError::Code::serverCertificateUntrusted:
            return "The server's certificate is not trusted for this host.";
        case URLError::Code::invalidHeaderValue:
            return "A header field cannot be sent as given (line break, NUL or bad name).";
        case URLError::Code::pageReadLimitExceeded:
            return "The page takes more to read than its limits allow.";
        case URLError::Code::unknown:
            break;
    }
    return "The request failed.";
}

}  // namespace

URLError::Code urlErrorCode(CURLcode result, std::string_view text) noexcept {
    switch (result) {
        case CURLE_OPERATION_TIMEDOUT:
            return URLError::Code::timedOut;
        case CURLE_COULDNT_RESOLVE_HOST:
            return URLError::Code::cannotFindHost;
        case CURLE_COULDNT_CONNECT:
            return URLError::Code::cannotConnectToHost;
        case CURLE_PEER_FAILED_VERIFICATION:
            return URLError::Code::serverCertificateUntrusted;
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_SSL_CERTPROBLEM:
        case CURLE_SSL_CIPHER:
        case CURLE_SSL_CACERT_BADFILE:
        case CURLE_SSL_CRL_BADFILE:
        case CURLE_SSL_ISSUER_ERROR:
        case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
        case CURLE_SSL_INVALIDCERTSTATUS:
        case CURLE_SSL_CLIENTCERT:
        case CURLE_SSL_ENGINE_NOTFOUND:
        case CURLE_SSL_ENGINE_SETFAILED:
        case CURLE_SSL_ENGINE_INITFAILED:
        case CURLE_SSL_SHUTDOWN_FAILED:
            return URLError::Code::secureConnectionFailed;
        case CURLE_RECV_ERROR:
            // libcurl also ends with this code when it cannot parse what it received; only its
            // own words tell the two apart.
            for (const std::string_view parseFault :
                 {"chunked-encoding", "Too large response headers"}) {
                if (text.find(parseFault) != std::string_view::npos) {
                    return URLError::Code::cannotParseResponse;
                }
            }
            return URLError::Code::networkConnectionLost;
        case CURLE_GOT_NOTHING:
        case CURLE_SEND_ERROR:
        case CURLE_PARTIAL_FILE:
        case CURLE_HTTP2:
        case CURLE_HTTP2_STREAM:
            return URLError::Code::networkConnectionLost;
        case CURLE_WEIRD_SERVER_REPLY:
        case CURLE_BAD_CONTENT_ENCODING:
            return URLError::Code::cannotParseResponse;
        case CURLE_UNSUPPORTED_PROTOCOL:
            // The scheme was checked before sending: this is a reply without an HTTP status
            // line, which libcurl takes for HTTP/0.9 and refuses.
            return URLError::Code::badServerResponse;
        case CURLE_FILESIZE_EXCEEDED:
            return URLError::Code::dataLengthExceedsMaximum;
        case CURLE_URL_MALFORMAT:
            return URLError::Code::badURL;
        default:
            return URLError::Code::unknown;
    }
}

URLError makeURLError(URLError::Code code, std::string_view detail) {
    std::string description(summaryFor(code));
    if (!detail.empty()) description.append(" (").append(detail).append(")");
    return URLError(code, std::move(description));
}

}  // namespace corvend::platform::detail
