#pragma once

#include <exception>
#include <string>

namespace corvend::platform {

// A transport failure of URL loading: a code and a readable description.
class URLError : public std::exception {
  public:
    enum class Code {
        unknown,
        cancelled,
        badURL,
        unsupportedURL,  // a scheme other than http or https
        timedOut,
        cannotFindHost,
        cannotConnectToHost,
        networkConnectionLost,
        badServerResponse,
        secureConnectionFailed,  // TLS handshake or certificate failure
        invalidHeaderValue,      // CR, LF or NUL in a header; refused before sending
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
