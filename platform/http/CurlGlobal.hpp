#pragma once

// The process-wide side of libcurl and of OpenSSL under it, shared by every session.
//
// OpenSSL is set up before main, without the clean-up it would otherwise run at exit (pool
// threads may be in a handshake while the host leaves main) and without a configuration, which
// stays the host's to load. A host (or a library it links) that
// set OpenSSL up earlier, with that clean-up, is covered by the exit gate: every libcurl call
// that may run TLS code passes it, and it closes at exit before the clean-up runs.

#include <curl/curl.h>

#include <optional>
#include <string>

#include "platform/async/ExitGate.hpp"

namespace corvend::platform::detail {

// Where the trusted authorities are, as OpenSSL and the curl tool take them from the
// environment: SSL_CERT_FILE replaces the default CA file, SSL_CERT_DIR the default CA
// directory, each only its own. Absent: libcurl's default; empty: none.
struct TrustedAuthorities {
    std::optional<std::string> file;
    std::optional<std::string> directory;

    // Read with secure_getenv, so a set-user-ID program does not let its caller choose whom it
    // trusts.
    static TrustedAuthorities fromEnvironment();
};

class CurlGlobal {
  public:
    // Sets libcurl up on first use (throws URLError when it cannot); the environment's trusted
    // authorities are read then, once.
    static CurlGlobal& shared();

    // A pass for a libcurl call that may run TLS code; false once the process is ending, when
    // the call must be given up without touching libcurl.
    [[nodiscard]] static ExitGate::Pass enter() noexcept;

    // curl_easy_cleanup and curl_multi_cleanup, which may free TLS state: once the process is
    // ending, the handle is kept, reachable, until the process is gone instead.
    static void cleanUpEasy(CURL* easy) noexcept;
    static void cleanUpMulti(CURLM* multi) noexcept;

    const TrustedAuthorities& trustedAuthorities() const noexcept { return authorities_; }

  private:
    CurlGlobal();

    TrustedAuthorities authorities_;
};

}  // namespace corvend::platform::detail
