#include "platform/http/CurlGlobal.hpp"

#include <openssl/crypto.h>

#include <cstdlib>
#include <mutex>
#include <new>
#include <vector>

#include "platform/async/ProcessFork.hpp"
#include "platform/foundation/NeverDestroyed.hpp"
#include "platform/http/URLError.hpp"

namespace corvend::platform::detail {

namespace {

// OpenSSL decides on its first set-up whether to clean up at exit, and every later one keeps
// that choice; done before main, it comes ahead of a host that calls curl_global_init or sets
// OpenSSL up at the top of main. It loads no configuration: OpenSSL loads one once per process,
// so the first to ask chooses it, which is the host's right (failing that, libcurl's set-up
// loads the default). Asking for none would count as that once.
bool setUpTLS() noexcept {
    return OPENSSL_init_crypto(OPENSSL_INIT_NO_ATEXIT, nullptr) == 1;
}

// libcurl opens the TLS key log that SSLKEYLOGFILE names, read with plain getenv, at its set-up.
// A set-user-ID or set-group-ID process must not write secrets where its caller says, so there
// the variable goes before main, ahead of the kit's own set-up and of any the host makes from
// main on. A host's own static initializers may run before this one: a privileged host that
// sets libcurl up there must remove the variable itself.
bool dropCallersKeyLog() noexcept {
    constexpr const char* kKeyLog = "SSLKEYLOGFILE";
    const bool privileged = ::secure_getenv(kKeyLog) == nullptr && ::getenv(kKeyLog) != nullptr;
    return privileged && ::unsetenv(kKeyLog) == 0;
}

[[maybe_unused]] const bool kCallersKeyLogDropped = dropCallersKeyLog();
[[maybe_unused]] const bool kTLSSetUpBeforeMain = setUpTLS();

ExitGate& tlsGate() {
    static NeverDestroyed<ExitGate> gate;
    return *gate;
}

// Handles whose clean-up came once the process was ending.
void keepUntilTheEnd(void* handle) noexcept {
    static NeverDestroyed<std::mutex> mutex;
    static NeverDestroyed<std::vector<void*>> kept;
    std::lock_guard lock(*mutex);
    try {
        kept->push_back(handle);
    } catch (const std::bad_alloc&) {
        // Lost to leak checkers, but never freed under a thread that may still use TLS.
    }
}

std::optional<std::string> environment(const char* name) {
    const char* value = ::secure_getenv(name);
    if (value == nullptr) return std::nullopt;
    return std::string(value);
}

}  // namespace

TrustedAuthorities TrustedAuthorities::fromEnvironment() {
    return {environment("SSL_CERT_FILE"), environment("SSL_CERT_DIR")};
}

CurlGlobal::CurlGlobal() : authorities_(TrustedAuthorities::fromEnvironment()) {
    // Again here, should this process have dropped the set-up before main (it never fails
    // there but for want of memory).
    if (!setUpTLS() || curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
        throw URLError(URLError::Code::unknown, "The network library could not be initialised.");
    }
    // Registered after any clean-up OpenSSL registered for a set-up ahead of the kit's, so it
    // runs first.
    std::atexit([] { tlsGate().close(); });
}

CurlGlobal& CurlGlobal::shared() {
    // Ahead of its making's guard, which a parent thread may hold at a fork.
    ProcessFork::noteKitBegun();
    // libcurl's global set-up must not race other libcurl calls on older builds: done once.
    static NeverDestroyed<CurlGlobal> global{CurlGlobal()};
    return *global;
}

ExitGate::Pass CurlGlobal::enter() noexcept {
    return tlsGate().enter();
}

void CurlGlobal::cleanUpEasy(CURL* easy) noexcept {
    if (const auto pass = enter()) {
        curl_easy_cleanup(easy);
    } else {
        keepUntilTheEnd(easy);
    }
}

void CurlGlobal::cleanUpMulti(CURLM* multi) noexcept {
    if (const auto pass = enter()) {
        curl_multi_cleanup(multi);
    } else {
        keepUntilTheEnd(multi);
    }
}

}  // namespace corvend::platform::detail
