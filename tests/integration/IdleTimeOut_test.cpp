// The request's idle time-out restarts with every byte that moves: the connection made, each
// header line, and an upload's bytes where the service takes them, not where the kit hands them
// to the system.

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <openssl/ssl.h>
#include <sys/socket.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>

#include "platform/http/URLError.hpp"
#include "platform/http/URLSession.hpp"
#include "tests/integration/SandboxTest.hpp"
#include "tests/support/FaultServer.hpp"
#include "tests/support/LoopbackServer.hpp"
#include "tests/support/SilentListener.hpp"

namespace corvend::integration {
namespace {

using namespace std::chrono_literals;
using platform::URLError;
using platform::URLRequest;
using platform::URLSession;
using testing::LoopbackServer;

using Clock = std::chrono::steady_clock;

struct Upload {
    const char* name;
    std::size_t bytes;
    int segment;                       // the largest segment the server takes; 0: the system's
    std::chrono::microseconds perKiB;  // the server's pace; 0: it reads nothing
    bool overTLS = true;               // also run over https
    std::size_t stopAfter = 0;         // bytes the server takes before it stops; 0: all
    std::chrono::milliseconds wait{};  // before the server's first read
};

// When the server's system last received a byte on its one connection on `port`: the kit's
// system sees the byte taken when it is acknowledged, after that.
Clock::time_point lastReceived(int port) {
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        const int socket = std::stoi(entry.path().filename());
        sockaddr_in local{};
        sockaddr_in peer{};
        tcp_info info{};
        socklen_t length = sizeof local;
        if (::getsockname(socket, reinterpret_cast<sockaddr*>(&local), &length) != 0 ||
            local.sin_family != AF_INET || ntohs(local.sin_port) != port) {
            continue;
        }
        length = sizeof peer;
        if (::getpeername(socket, reinterpret_cast<sockaddr*>(&peer), &length) != 0) continue;
        length = sizeof info;
        if (::getsockopt(socket, IPPROTO_TCP, TCP_INFO, &info, &length) == 0) {
            return Clock::now() - std::chrono::milliseconds(info.tcpi_last_data_recv);
        }
    }
    ADD_FAILURE() << "no connection on port " << port;
    return Clock::now();
}

// The parameter: whether over https.
class UploadIdleTimeOutTest : public ::testing::TestWithParam<bool> {};

TEST_P(UploadIdleTimeOutTest, AnUploadTheServiceKeepsTakingIsNotCutAndOneItStopsTakingIs) {
    // Long enough that a busy machine's delays stay well inside the margins below.
    const URLRequest::Seconds timeout = 2s;
    const Upload uploads[] = {
        // Taken at once by the kit's send buffer: only its send queue shows the service read.
        {"queued whole", 64 * 1024, 0, 30ms},
        // More than the kit's buffers take at once: it hands bytes over while the service reads
        // (over TLS its buffers grow too fast for that to last).
        {"handed over slowly", 1024 * 1024, 1000, 3ms, false},
        {"never read", 64 * 1024, 0, 0us},
        // Taken while the kit looks at its send queue the first time, then no more.
        {"taken early", 64 * 1024, 0, 2us, true, 8 * 1024, 100ms},
        // Far more than the buffers hold, read too slowly to wake the kit's writer: only its
        // send queue shows the service still reading while the kit holds the rest.
        {"held by the kit", 8 * 1024 * 1024, 0, 30ms, true, 128 * 1024},
    };
    for (const auto& upload : uploads) {
        if (GetParam() && !upload.overTLS) continue;
        SCOPED_TRACE(upload.name);
        auto server = GetParam() ? std::make_unique<LoopbackServer>(tlsFile("server.pem"),
                                                                    tlsFile("server-key.pem"))
                                 : std::make_unique<LoopbackServer>();
        // A small window, set before listening so that accepted connections have it.
        server->routes().set_socket_options([&](int socket) {
            const int bytes = 4096;
            ::setsockopt(socket, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes);
            if (upload.segment > 0) {
                ::setsockopt(socket, IPPROTO_TCP, TCP_MAXSEG, &upload.segment,
                             sizeof upload.segment);
            }
        });
        const bool cut = upload.perKiB == 0us || upload.stopAfter > 0;
        server->routes().Post("/upload", [&](const httplib::Request&, httplib::Response& response,
                                             const httplib::ContentReader& reader) {
            std::this_thread::sleep_for(upload.wait);
            if (upload.perKiB == 0us) return server->park();
            std::size_t taken = 0;
            reader([&](const char*, std::size_t length) {
                taken += length;
                if (upload.stopAfter > 0 && taken >= upload.stopAfter) {
                    server->park();
                    return false;
                }
                std::this_thread::sleep_for(upload.perKiB * length / 1024);
                return true;
            });
            response.status = 201;
            response.set_content(std::to_string(taken), "text/plain");
        });
        server->start();

        platform::URLSessionConfiguration configuration;
        configuration.caBundlePath = tlsFile("test-ca.pem");
        // Bounds the wait should the kit never cut.
        configuration.timeoutIntervalForResource = 60s;
        const auto session = URLSession::make(configuration);
        URLRequest request(server->url("/upload"),
                           platform::URLRequestCachePolicy::useProtocolCachePolicy, timeout);
        request.setHTTPMethod("POST");
        request.setHTTPBody(platform::Data(std::string(upload.bytes, 'u')));
        try {
            const auto [body, response] = session->data(request);
            EXPECT_FALSE(cut);
            EXPECT_EQ(body.view(), std::to_string(upload.bytes));
        } catch (const URLError& error) {
            const auto at = Clock::now();
            const auto moved = lastReceived(*server->url("/").port());
            EXPECT_TRUE(cut) << error.description();
            EXPECT_EQ(error.description(),
                      "The request timed out. (no byte moved for its time-out)");
            // Not before the time-out after the last byte moved (but for the server's clock
            // tick), and not a whole look late: a late first look cuts twice the time-out after
            // the last byte or later; a tenth is the kit's, the rest is for a loaded machine.
            EXPECT_GE(at - moved, timeout - 10ms);
            EXPECT_LT(at - moved, 1.8 * timeout);
        }
    }
}

// Neither stretch alone outlasts the time-out, both together do; each leaves a busy machine
// a wide margin.
TEST(IdleTimeOutTest, TheTimeOutRestartsWithTheConnectionMadeAndWithEachHeaderLine) {
    const URLRequest::Seconds timeout = 1500ms;
    // A handshake of 900 ms, then a reply after 900 ms.
    LoopbackServer slowHandshake([](SSL_CTX& context) {
        SSL_CTX_set_client_hello_cb(
            &context,
            [](SSL*, int*, void*) {
                std::this_thread::sleep_for(900ms);
                return SSL_CLIENT_HELLO_SUCCESS;
            },
            nullptr);
        return SSL_CTX_use_certificate_chain_file(&context, tlsFile("server.pem").c_str()) &&
               SSL_CTX_use_PrivateKey_file(&context, tlsFile("server-key.pem").c_str(),
                                           SSL_FILETYPE_PEM);
    });
    slowHandshake.routes().Get("/", [](const httplib::Request&, httplib::Response& response) {
        std::this_thread::sleep_for(900ms);
        response.set_content("ok", "text/plain");
    });
    slowHandshake.start();
    // A head of five lines, one every 450 ms.
    corvend::testing::FaultServer slowHead({"HTTP/1.1 200 OK\r\nContent-Length: 2\r\n",
                                            corvend::testing::FaultServer::Then::drip,
                                            "A: 1\r\nB: 2\r\nC: 3\r\nD: 4\r\n\r\nok", 75ms});

    platform::URLSessionConfiguration configuration;
    configuration.caBundlePath = tlsFile("test-ca.pem");
    const auto session = URLSession::make(configuration);
    for (const auto& url : {slowHandshake.url("/"), *platform::URL::make(slowHead.baseURL())}) {
        SCOPED_TRACE(url.absoluteString());
        try {
            EXPECT_EQ(
                session
                    ->data(URLRequest(url, platform::URLRequestCachePolicy::useProtocolCachePolicy,
                                      timeout))
                    .first.view(),
                "ok");
        } catch (const URLError& error) {
            ADD_FAILURE() << error.description();
        }
    }
}

TEST(IdleTimeOutTest, ATimeOutSaysWhichLimitItMet) {
    using Then = corvend::testing::FaultServer::Then;
    const struct {
        corvend::testing::FaultServer::Script script;
        URLRequest::Seconds timeout;
        URLRequest::Seconds cap;
        std::string words;
        bool silentAddress = false;  // an address that never answers a connect, not the script
    } cases[] = {
        {{}, 500ms, 30s, "no connection made within its time-out", true},
        {{}, 30s, 500ms, "the whole transfer outlasted its cap of 500 ms", true},
        {{"", Then::holdOpen}, 500ms, 30s, "no byte moved for its time-out"},
        // A byte each 100 ms: the status line takes 1.7 s.
        {{"", Then::drip, "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", 100ms},
         1s,
         30s,
         "no whole header line for its time-out"},
        {{"HTTP/1.1 200 OK\r\nContent-Length: 60\r\n\r\n", Then::drip, "x", 100ms},
         30s,
         1s,
         "the whole transfer outlasted its cap of 1 s"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words);
        std::optional<corvend::testing::FaultServer> server;
        std::optional<corvend::testing::SilentListener> silent;
        std::string url;
        if (c.silentAddress) {
            url = "http://127.0.0.2:" + std::to_string(silent.emplace("127.0.0.2", 0).port()) + "/";
        } else {
            url = server.emplace(c.script).baseURL();
        }
        platform::URLSessionConfiguration configuration;
        configuration.timeoutIntervalForResource = c.cap;
        const auto session = URLSession::make(configuration);
        try {
            session->data(URLRequest(*platform::URL::make(url),
                                     platform::URLRequestCachePolicy::useProtocolCachePolicy,
                                     c.timeout));
            ADD_FAILURE() << "not cut";
        } catch (const URLError& error) {
            EXPECT_EQ(error.description(), "The request timed out. (" + c.words + ")");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Schemes, UploadIdleTimeOutTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "https" : "http"; });

}  // namespace
}  // namespace corvend::integration
