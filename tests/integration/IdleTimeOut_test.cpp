// The request's idle time-out restarts with every byte that moves: the connection made, each
// header line, and an upload's bytes where the service takes them, not where the kit hands them
// to the system.

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <openssl/ssl.h>
#include <sys/socket.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/http/URLError.hpp"
#include "platform/http/URLSession.hpp"
#include "tests/integration/SandboxTest.hpp"
#include "tests/support/FaultServer.hpp"
#include "tests/support/LoopbackServer.hpp"

namespace corvend::integration {
namespace {

using namespace std::chrono_literals;
using platform::URLError;
using platform::URLRequest;
using platform::URLSession;
using testing::LoopbackServer;

struct Upload {
    const char* name;
    std::size_t bytes;
    int segment;                       // the largest segment the server takes; 0: the system's
    std::chrono::microseconds perKiB;  // the server's pace; 0: it reads nothing
    bool overTLS = true;               // also run over https
};

// The parameter: whether over https.
class UploadIdleTimeOutTest : public ::testing::TestWithParam<bool> {};

TEST_P(UploadIdleTimeOutTest, AnUploadTheServiceKeepsTakingIsNotCutAndOneItStopsTakingIs) {
    const Upload uploads[] = {
        // Taken at once by the kit's send buffer: only its send queue shows the service read.
        {"queued whole", 64 * 1024, 0, 15ms},
        // More than the kit's buffers take at once: it hands bytes over while the service reads
        // (over TLS its buffers grow too fast for that to last).
        {"handed over slowly", 1024 * 1024, 1000, 1500us, false},
        {"never read", 64 * 1024, 0, 0us},
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
        server->routes().Post("/upload", [&](const httplib::Request&, httplib::Response& response,
                                             const httplib::ContentReader& reader) {
            if (upload.perKiB == 0us) return server->park();
            std::size_t taken = 0;
            reader([&](const char*, std::size_t length) {
                taken += length;
                std::this_thread::sleep_for(upload.perKiB * length / 1024);
                return true;
            });
            response.status = 201;
            response.set_content(std::to_string(taken), "text/plain");
        });
        server->start();

        platform::URLSessionConfiguration configuration;
        configuration.caBundlePath = tlsFile("test-ca.pem");
        const auto session = URLSession::make(configuration);
        URLRequest request(server->url("/upload"),
                           platform::URLRequestCachePolicy::useProtocolCachePolicy, 500ms);
        request.setHTTPMethod("POST");
        request.setHTTPBody(platform::Data(std::string(upload.bytes, 'u')));
        try {
            const auto [body, response] = session->data(request);
            EXPECT_NE(upload.perKiB, 0us);
            EXPECT_EQ(body.view(), std::to_string(upload.bytes));
        } catch (const URLError& error) {
            EXPECT_EQ(upload.perKiB, 0us) << error.description();
            EXPECT_EQ(error.code(), URLError::Code::timedOut) << error.description();
        }
    }
}

// Neither stretch alone outlasts the time-out, both together do.
TEST(IdleTimeOutTest, TheTimeOutRestartsWithTheConnectionMadeAndWithEachHeaderLine) {
    const URLRequest::Seconds timeout = 500ms;
    // A handshake of 300 ms, then a reply after 300 ms.
    LoopbackServer slowHandshake([](SSL_CTX& context) {
        SSL_CTX_set_client_hello_cb(
            &context,
            [](SSL*, int*, void*) {
                std::this_thread::sleep_for(300ms);
                return SSL_CLIENT_HELLO_SUCCESS;
            },
            nullptr);
        return SSL_CTX_use_certificate_chain_file(&context, tlsFile("server.pem").c_str()) &&
               SSL_CTX_use_PrivateKey_file(&context, tlsFile("server-key.pem").c_str(),
                                           SSL_FILETYPE_PEM);
    });
    slowHandshake.routes().Get("/", [](const httplib::Request&, httplib::Response& response) {
        std::this_thread::sleep_for(300ms);
        response.set_content("ok", "text/plain");
    });
    slowHandshake.start();
    // A head of five lines, one every 150 ms.
    corvend::testing::FaultServer slowHead({"HTTP/1.1 200 OK\r\nContent-Length: 2\r\n",
                                            corvend::testing::FaultServer::Then::drip,
                                            "A: 1\r\nB: 2\r\nC: 3\r\nD: 4\r\n\r\nok", 25ms});

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

INSTANTIATE_TEST_SUITE_P(Schemes, UploadIdleTimeOutTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "https" : "http"; });

}  // namespace
}  // namespace corvend::integration
