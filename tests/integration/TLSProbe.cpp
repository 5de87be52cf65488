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
// Prints "minimum " and the lowest protocol version a new TLS context of the host's allows. Or a
// host that makes calls over http and https, then, with its sessions and their connections kept,
// opens a descriptor of its own (/dev/null, inheritable), then a page through the kit's desktop
// opener, and forks and execs `ls -l /proc/self/fd`:
//
//   corvend_tls_probe --descriptors <http-url> <https-url>
//
// Prints "opener", what the opener's handler (a stand-in on PATH) prints, "exec", the listing of
// the executed program, and "end"; or the first call's failure.

#include <fcntl.h>
#include <openssl/ssl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <future>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/app/DesktopURLOpener.hpp"
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

// Starts as a host started with only its standard descriptors would: whatever this process was
// given beyond them is kept from the programs it starts.
void keepInheritedDescriptors() {
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        const int fd = std::stoi(entry.path().filename().string());
        if (fd > STDERR_FILENO) ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
}

int startPrograms(const char* httpURL, const char* httpsURL) {
    using namespace corvend::platform;
    keepInheritedDescriptors();
    std::vector<std::shared_ptr<URLSession>> sessions;
    try {
        for (const char* url : {httpURL, httpsURL}) {
            sessions.push_back(URLSession::make());
            for (int call = 0; call < 2; ++call) sessions.back()->data(URLRequest(*URL::make(url)));
        }
    } catch (const URLError& error) {
        std::cout << static_cast<int>(error.code()) << ' ' << error.description() << std::endl;
        return 0;
    }
    // One of the host's own, which its own programs may take, but not the desktop's handler.
    const int hostsOwn = ::open("/dev/null", O_RDONLY);
    std::cout << "opener" << std::endl;
    std::promise<bool> opened;
    DesktopURLOpener::make()->open(*URL::make(httpURL), {},
                                   [&opened](bool done) { opened.set_value(done); });
    if (!opened.get_future().get()) std::cout << "not opened" << std::endl;
    std::cout << "exec" << std::endl;
    const pid_t child = ::fork();
    if (child == 0) {
        ::execl("/bin/ls", "ls", "-l", "/proc/self/fd", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child) std::cout << "no child" << std::endl;
    std::cout << "end" << std::endl;
    ::close(hostsOwn);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace corvend::platform;
    if (argc == 3 && std::string_view(argv[1]) == "--openssl-config") {
        return reportHostsOwnMinimum(argv[2]);
    }
    if (argc == 4 && std::string_view(argv[1]) == "--descriptors") {
        return startPrograms(argv[2], argv[3]);
    }
    const auto url = argc == 2 ? URL::make(argv[1]) : std::nullopt;
    if (!url) {
        std::cerr << "usage: corvend_tls_probe <url> | --openssl-config <file> | --descriptors "
                     "<http-url> <https-url>\n";
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
