// A host's one request through a URL session, started by TLS_test in the environment under
// test (trusted authorities are read from it once, by the process's first session):
//
//   corvend_tls_probe <url>
//
// Prints "ok" when a reply came, else the URLError's code number and description. Or a host
// that sets OpenSSL up itself, with a configuration file of its own, and uses TLS without the
// kit (which is linked all the same):
//
//   corvend_tls_probe --openssl-config <file>
//
// Prints "minimum " and the lowest protocol version a new TLS context of the host's allows.

#include <openssl/ssl.h>

#include <iostream>
#include <memory>
#include <string_view>

#include "platform/http/URLError.hpp"
#include "platform/http/URLSession.hpp"
#include "platform/url/URL.hpp"

namespace {

int reportHostsOwnMinimum(const char* configuration) {
    const std::unique_ptr<OPENSSL_INIT_SETTINGS, decltype(&OPENSSL_INIT_free)> settings(
        OPENSSL_INIT_new(), &OPENSSL_INIT_free);
    if (!settings || OPENSSL_INIT_set_config_filename(settings.get(), configuration) != 1 ||
        OPENSSL_init_ssl(OPENSSL_INIT_LOAD_CONFIG, settings.get()) != 1) {
        std::cerr << "OpenSSL set-up failed\n";
        return 1;
    }
    const std::unique_ptr<SSL_CTX, decltype(&SSL_CTX_free)> context(SSL_CTX_new(TLS_method()),
                                                                    &SSL_CTX_free);
    if (!context) return 1;
    std::cout << "minimum " << SSL_CTX_get_min_proto_version(context.get()) << '\n';
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace corvend::platform;
    if (argc == 3 && std::string_view(argv[1]) == "--openssl-config") {
        return reportHostsOwnMinimum(argv[2]);
    }
    const auto url = argc == 2 ? URL::make(argv[1]) : std::nullopt;
    if (!url) {
        std::cerr << "usage: corvend_tls_probe <url> | --openssl-config <file>\n";
        return 2;
    }
    try {
        URLSession::make()->data(URLRequest(*url));
        std::cout << "ok\n";
    } catch (const URLError& error) {
        std::cout << static_cast<int>(error.code()) << ' ' << error.description() << '\n';
    }
    return 0;
}
