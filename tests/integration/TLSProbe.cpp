// A host's one request through a URL session, started by TLS_test in the environment under
// test (trusted authorities are read from it once, by the process's first session):
//
//   corvend_tls_probe <url>
//
// Prints "ok" when a reply came, else the URLError's code number and description.

#include <iostream>

#include "platform/http/URLError.hpp"
#include "platform/http/URLSession.hpp"
#include "platform/url/URL.hpp"

int main(int argc, char** argv) {
    using namespace corvend::platform;
    const auto url = argc == 2 ? URL::make(argv[1]) : std::nullopt;
    if (!url) {
        std::cerr << "usage: corvend_tls_probe <url>\n";
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
