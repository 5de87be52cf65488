#pragma once

#include <exception>
#include <string>

namespace corvend::platform {

// A transport failure of URL loading: a code and a readable description. Every operation of
// the kit that reaches the service may throw it, unchanged; code() and description() are public.
// What each code tells a host:
class URLError : public std::exception {
  public:
    enum class Code {
        unknown,                     // none of the below; nothing to act on but the description
        cancelled,                   // the session was invalidated while the request ran
        badURL,                      // the URL cannot be sent (malformed, or too long); not sent
        unsupportedURL,              // a scheme other than http or https; not sent
        timedOut,                    // no byte for the idle time-out, no whole header line
                                     // within it, or the whole-transfer cap passed (the
                                     // description says which). A read may be retried; a change
                                     // that timed out may have been made, and retrying it may
                                     // make it twice
        cannotFindHost,              // the host name does not resolve
        cannotConnectToHost,         // nobody answered on the host's port
        networkConnectionLost,       // the connection broke (the request may have been processed)
        badServerResponse,           // the peer answered, but not in HTTP: a wrong host or port
        cannotParseResponse,         // an HTTP reply that breaks the protocol (framing, headers,
                                     // content encoding): a faulty server or something in between
        dataLengthExceedsMaximum,    // the reply body is above the session's cap; nothing kept
        secureConnectionFailed,      // the TLS handshake failed (no common protocol or cipher, as
                                     // with a server older than TLS 1.2; a broken handshake; an
                                     // unreadable CA file)
        invalidHeaderValue,          // CR, LF or NUL in a header, or a bad name; not sent
        serverCertificateUntrusted,  // the server's certificate was refused: signed by no
                                     // trusted authority, made for another host name, or out of
                                     // date
        pageReadLimitExceeded,       // a web page took more memory or CPU time to read than its
                                     // limit (the description says which); nothing of it kept
    };

    URLError(Code code, std::string description);

    Code code() const noexcept { return code_; }
    const std::string& description() const noexcept { return description_; }
    const char* what() const noexcept override { return description_.c_str(); }

  private:
    Code code_;
    std::string description_;
};

}  // namespace corvend::platform
