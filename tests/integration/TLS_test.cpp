// TLS as a host meets it: no protocol older than TLS 1.2, for the sessions and the web view; a
// handshake that fails for a reason other than trust is a secure-connection failure, never a
// reply; the authorities trusted are SSL_CERT_FILE's and SSL_CERT_DIR's, each replacing only its
// own default (an empty one means none), and a set-user-ID host does not take them from its
// caller, nor writes a TLS key log where its caller says; the host's own OpenSSL configuration
// stands with the kit linked; the programs a host starts hold none of the kit's connections.

#include <curl/curl.h>
#include <gtest/gtest.h>
#include <openssl/ssl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/async/MainQueue.hpp"
#include "platform/http/URLError.hpp"
#include "platform/http/URLSession.hpp"
#include "platform/web/WebView.hpp"
#include "tests/integration/SandboxTest.hpp"
#include "tests/support/LoopbackServer.hpp"

namespace corvend::integration {
namespace {

using platform::URLError;
using platform::URLRequest;
using platform::URLSession;
using testing::LoopbackServer;

// The code of the URLError that `url` fails with through a session; nullopt when a reply came.
std::optional<URLError::Code> sessionFailure(const platform::URL& url) {
    try {
        URLSession::make()->data(URLRequest(url));
        return std::nullopt;
    } catch (const URLError& error) {
        return error.code();
    }
}

// The failures the web view reports loading `url`.
std::vector<URLError::Code> webViewFailures(const platform::URL& url) {
    struct Recorder : platform::web::NavigationDelegate {
        std::vector<URLError::Code> failures;
        void decidePolicyFor(platform::web::WebView&, const platform::web::NavigationAction&,
                             platform::web::NavigationDecisionHandler handler) override {
            handler(platform::web::NavigationActionPolicy::allow);
        }
        void didFail(platform::web::WebView&, const URLError& error) override {
            failures.push_back(error.code());
        }
    };
    auto& queue = platform::MainQueue::shared();
    queue.drain();
    auto recorder = std::make_shared<Recorder>();
    auto webView = std::make_shared<platform::web::WebView>();
    webView->setNavigationDelegate(recorder);
    webView->load(URLRequest(url));
    EXPECT_TRUE(queue.runUntil([&] { return !webView->isLoading(); }, kDeadline));
    return recorder->failures;
}

void answer(LoopbackServer& server) {
    server.routes().Get(
        "/", [](const auto&, auto& response) { response.set_content("hello", "text/plain"); });
    server.start();
}

// The parameter: the only protocol version the server offers.
class OldProtocolTest : public ::testing::TestWithParam<int> {};

TEST_P(OldProtocolTest, SessionsAndTheWebViewRefuseAServerOlderThanTLS12) {
    // RSA key exchange, which such servers offer, and which the TLS library still takes.
    LoopbackServer server([version = GetParam()](SSL_CTX& context) {
        return SSL_CTX_use_certificate_chain_file(&context, tlsFile("rsa-server.pem").c_str()) &&
               SSL_CTX_use_PrivateKey_file(&context, tlsFile("rsa-server-key.pem").c_str(),
                                           SSL_FILETYPE_PEM) &&
               SSL_CTX_set_min_proto_version(&context, version) &&
               SSL_CTX_set_max_proto_version(&context, version) &&
               SSL_CTX_set_cipher_list(&context, "AES128-SHA:@SECLEVEL=0");
    });
    answer(server);

    // The server is usable: libcurl, left to its defaults, gets its reply.
    CURL* easy = curl_easy_init();
    ASSERT_NE(easy, nullptr);
    curl_easy_setopt(easy, CURLOPT_URL, server.url("/").absoluteString().c_str());
    curl_easy_setopt(easy, CURLOPT_CAINFO, tlsFile("test-ca.pem").c_str());
    curl_easy_setopt(
        easy, CURLOPT_WRITEFUNCTION,
        +[](char*, size_t size, size_t count, void*) { return size * count; });
    EXPECT_EQ(curl_easy_perform(easy), CURLE_OK);
    curl_easy_cleanup(easy);
    ASSERT_EQ(server.seen().size(), 1u);

    EXPECT_EQ(sessionFailure(server.url("/")), URLError::Code::secureConnectionFailed);
    EXPECT_EQ(webViewFailures(server.url("/")),
              std::vector<URLError::Code>{URLError::Code::secureConnectionFailed});
    EXPECT_EQ(server.seen().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Versions, OldProtocolTest, ::testing::Values(TLS1_VERSION, TLS1_1_VERSION),
                         [](const auto& info) {
                             return info.param == TLS1_VERSION ? "TLS10" : "TLS11";
                         });

TEST(SecureConnectionTest, AHandshakeThatFailsForAnotherReasonThanTrustIsNoReply) {
    // Plain http on the address asked for over https.
    LoopbackServer plain;
    answer(plain);
    EXPECT_EQ(sessionFailure(plain.url("/", "https")), URLError::Code::secureConnectionFailed);

    // A peer that hangs up in the middle of the handshake.
    int port = 0;
    const int listening = testing::bindLoopback(port, true);
    ASSERT_GE(listening, 0);
    std::thread hangUp([listening] {
        const int accepted = ::accept(listening, nullptr, nullptr);
        std::array<char, 64> hello{};
        [[maybe_unused]] const auto read = ::read(accepted, hello.data(), hello.size());
        ::close(accepted);
    });
    EXPECT_EQ(sessionFailure(*platform::URL::make("https://127.0.0.1:" + std::to_string(port))),
              URLError::Code::secureConnectionFailed);
    hangUp.join();
    ::close(listening);
}

// Trust is read once per process, so each environment gets a process of its own: the probe.
struct TrustCase {
    std::string name;
    std::optional<std::string> caFile;       // SSL_CERT_FILE, unset when absent
    std::optional<std::string> caDirectory;  // SSL_CERT_DIR, unset when absent
    bool trusted;                            // whether the test CA's server is trusted

    friend void PrintTo(const TrustCase& trust, std::ostream* out) { *out << trust.name; }
};

// How the probe is run, beside the trust it is given.
struct ProbeRun {
    std::vector<std::string> arguments;
    std::vector<std::string> variables = {};  // "NAME=value"
    std::vector<std::string> wrapper = {};    // a command that runs the probe's, as unshare does
};

// What the probe at `program` printed for `run` in an environment with `trust`, and none of the
// other variables that change TLS.
std::string probe(const std::string& program, const TrustCase& trust, const ProbeRun& run) {
    const auto quoted = [](const std::string& text) { return "'" + text + "'"; };
    std::string command;
    for (const auto& word : run.wrapper) command += quoted(word) + " ";
    command += "env -u SSL_CERT_FILE -u SSL_CERT_DIR -u SSLKEYLOGFILE -u OPENSSL_CONF";
    if (trust.caFile) command += " SSL_CERT_FILE=" + quoted(*trust.caFile);
    if (trust.caDirectory) command += " SSL_CERT_DIR=" + quoted(*trust.caDirectory);
    for (const auto& variable : run.variables) command += " " + quoted(variable);
    command += " " + quoted(program);
    for (const auto& argument : run.arguments) command += " " + quoted(argument);
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return "cannot start the probe";
    std::array<char, 512> buffer{};
    while (const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), pipe)) {
        output.append(buffer.data(), got);
    }
    ::pclose(pipe);
    return output;
}

std::string probe(const std::string& program, const TrustCase& trust, const platform::URL& url) {
    return probe(program, trust, ProbeRun{{url.absoluteString()}});
}

std::string failureCode(URLError::Code code) {
    return std::to_string(static_cast<int>(code)) + " ";
}

std::string untrustedCode() {
    return failureCode(URLError::Code::serverCertificateUntrusted);
}

// A folder of the test's own under the temporary one, removed with it.
class ScratchFolder {
  public:
    explicit ScratchFolder(const std::string& name)
        : path_(std::filesystem::temp_directory_path() /
                ("corvend-" + name + "-" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
        std::filesystem::permissions(path_, std::filesystem::perms(0755));
    }
    ~ScratchFolder() { std::filesystem::remove_all(path_); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

class TrustTest : public ::testing::TestWithParam<TrustCase> {
  protected:
    void SetUp() override { answer(server_); }
    LoopbackServer server_{tlsFile("server.pem"), tlsFile("server-key.pem")};
};

TEST_P(TrustTest, TheAuthoritiesTrustedAreThoseTheEnvironmentNames) {
    const std::string printed = probe(CORVEND_TLS_PROBE_PATH, GetParam(), server_.url("/"));
    if (GetParam().trusted) {
        EXPECT_EQ(printed, "ok\n");
    } else {
        EXPECT_TRUE(printed.starts_with(untrustedCode())) << printed;
        EXPECT_TRUE(server_.seen().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Environments, TrustTest,
                         ::testing::Values(
                             // The directory alone, with the file set to none.
                             TrustCase{"DirectoryOnly", "", tlsFile("authorities"), true},
                             TrustCase{"DirectoryBesideTheDefaultFile", std::nullopt,
                                       tlsFile("authorities"), true},
                             // The private authority alone: the file, and no directory.
                             TrustCase{"FileOnly", tlsFile("test-ca.pem"), "", true},
                             // Neither: nothing is trusted.
                             TrustCase{"Nothing", "", "", false}),
                         [](const auto& info) { return info.param.name; });

// A copy of the probe, set-user-ID to nobody, that runs as nobody when root starts it.
class SetUserIDProbeTest : public TrustTest {
  protected:
    void SetUp() override {
        if (::geteuid() != 0) GTEST_SKIP() << "needs root to make a set-user-ID program";
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
        GTEST_SKIP() << "the sanitizers' runtime cannot examine a set-user-ID process";
#endif
        TrustTest::SetUp();
        std::filesystem::copy_file(CORVEND_TLS_PROBE_PATH, program_,
                                   std::filesystem::copy_options::overwrite_existing);
        ASSERT_EQ(::chown(program_.c_str(), kNobody, kNobody), 0);
        ASSERT_EQ(::chmod(program_.c_str(), 04755), 0);
    }

    static constexpr uid_t kNobody = 65534;
    const ScratchFolder folder_{"setuid-probe"};
    const std::filesystem::path program_ = folder_.path() / "corvend_tls_probe";
};

TEST_F(SetUserIDProbeTest, ASetUserIDHostDoesNotTakeItsAuthoritiesFromItsCaller) {
    const TrustCase callersChoice{"", tlsFile("test-ca.pem"), tlsFile("authorities"), false};
    const std::string asItself = probe(CORVEND_TLS_PROBE_PATH, callersChoice, server_.url("/"));
    const std::string setUserID = probe(program_, callersChoice, server_.url("/"));
    EXPECT_EQ(asItself, "ok\n");  // the same environment is honoured by an ordinary program
    EXPECT_TRUE(setUserID.starts_with(untrustedCode())) << setUserID;
}

TEST_F(SetUserIDProbeTest, ASetUserIDHostWritesNoTLSKeyLogWhereItsCallerSays) {
    // A folder where the set-user-ID identity may create files, as the caller's choice could be.
    const auto logs = folder_.path() / "logs";
    std::filesystem::create_directory(logs);
    std::filesystem::permissions(logs, std::filesystem::perms(01777));
    const TrustCase trusted{"", tlsFile("test-ca.pem"), std::nullopt, true};
    const auto keyLog = [&](const std::string& name) {
        return ProbeRun{{server_.url("/").absoluteString()},
                        {"SSLKEYLOGFILE=" + (logs / name).string()}};
    };

    probe(program_, trusted, keyLog("set-user-id.keys"));
    EXPECT_FALSE(std::filesystem::exists(logs / "set-user-id.keys"));

    // An ordinary process keeps the convention TLS debugging tools rely on.
    EXPECT_EQ(probe(CORVEND_TLS_PROBE_PATH, trusted, keyLog("ordinary.keys")), "ok\n");
    std::ifstream written(logs / "ordinary.keys");
    const std::string secrets{std::istreambuf_iterator<char>(written), {}};
    EXPECT_NE(secrets.find("CLIENT_"), std::string::npos) << secrets;
}

// In a mount namespace of the probe's own whose system bundle and directory hold the test
// authority, an empty SSL_CERT_FILE or SSL_CERT_DIR still means none: the README's way to trust
// only a private authority rests on it.
TEST_F(TrustTest, AnEmptyLocationMeansNoneEvenWhereTheSystemTrustsTheServer) {
    const std::string namespaceOfItsOwn = ::geteuid() == 0 ? "-m" : "-rm";
    if (std::system(("unshare " + namespaceOfItsOwn + " true").c_str()) != 0) {
        GTEST_SKIP() << "no mount namespace can be made here";
    }
    const ScratchFolder system("system-authorities");
    std::filesystem::copy_file(tlsFile("test-ca.pem"), system.path() / "ca-certificates.crt");
    std::filesystem::copy(tlsFile("authorities"), system.path());
    const ScratchFolder noAuthorities("no-authorities");
    const std::vector<std::string> systemTrustsTheTestAuthority{
        "unshare",
        namespaceOfItsOwn,
        "sh",
        "-c",
        "mount --bind \"$0\" /etc/ssl/certs && exec \"$@\"",
        system.path()};
    const auto inThatSystem = [&](const TrustCase& trust) {
        return probe(
            CORVEND_TLS_PROBE_PATH, trust,
            ProbeRun{{server_.url("/").absoluteString()}, {}, systemTrustsTheTestAuthority});
    };

    // Unset, each takes the system's: trusted there.
    ASSERT_EQ(inThatSystem({"", std::nullopt, std::nullopt, true}), "ok\n");
    // The file empty, beside a directory that trusts nobody.
    const std::string noFile = inThatSystem({"", "", noAuthorities.path(), false});
    EXPECT_TRUE(noFile.starts_with(untrustedCode())) << noFile;
    // The directory empty, beside a file without the test authority.
    const std::string noDirectory = inThatSystem({"", tlsFile("untrusted-server.pem"), "", false});
    EXPECT_TRUE(noDirectory.starts_with(untrustedCode())) << noDirectory;
    EXPECT_EQ(server_.seen().size(), 1u);
}

// The host's own OpenSSL configuration stands with the kit linked; where the host loads none,
// libcurl's set-up loads the default one, here OPENSSL_CONF's, which the kit's connections
// follow but for the protocol versions they set themselves.
TEST(OpenSSLConfigurationTest, TheHostsOwnStandsAndTheDefaultOneIsLoadedWhereTheHostLoadsNone) {
    const ScratchFolder folder("openssl-configuration");
    const auto configuration = folder.path() / "host.cnf";
    std::ofstream(configuration) << "openssl_conf = settings\n"
                                    "[settings]\nssl_conf = ssl\n"
                                    "[ssl]\nsystem_default = tls\n"
                                    "[tls]\nMinProtocol = TLSv1.3\n"
                                    "Ciphersuites = TLS_CHACHA20_POLY1305_SHA256\n";
    const TrustCase trusted{"", tlsFile("test-ca.pem"), std::nullopt, true};
    EXPECT_EQ(probe(CORVEND_TLS_PROBE_PATH, trusted,
                    ProbeRun{{"--openssl-config", configuration.string()}}),
              "minimum " + std::to_string(TLS1_3_VERSION) + "\n");

    LoopbackServer server([](SSL_CTX& context) {
        return SSL_CTX_use_certificate_chain_file(&context, tlsFile("server.pem").c_str()) &&
               SSL_CTX_use_PrivateKey_file(&context, tlsFile("server-key.pem").c_str(),
                                           SSL_FILETYPE_PEM) &&
               SSL_CTX_set_ciphersuites(&context, "TLS_AES_256_GCM_SHA384");
    });
    answer(server);
    const std::string url = server.url("/").absoluteString();
    EXPECT_EQ(probe(CORVEND_TLS_PROBE_PATH, trusted, ProbeRun{{url}}), "ok\n");
    const std::string configured =
        probe(CORVEND_TLS_PROBE_PATH, trusted,
              ProbeRun{{url}, {"OPENSSL_CONF=" + configuration.string()}});
    EXPECT_TRUE(configured.starts_with(failureCode(URLError::Code::secureConnectionFailed)))
        << configured;
}

// The descriptors each listing of `ls -l /proc/self/fd` between the probe's "opener", "exec" and
// "end" shows, fd by link target, without the one ls reads the listing through.
std::map<std::string, std::map<int, std::string>> listings(const std::string& printed) {
    std::map<std::string, std::map<int, std::string>> seen;
    std::istringstream lines(printed);
    std::string section;
    for (std::string line; std::getline(lines, line);) {
        const auto arrow = line.find(" -> ");
        if (line.starts_with("total ")) continue;
        if (arrow == std::string::npos) {
            section = line;
            seen[section];
            continue;
        }
        const std::string target = line.substr(arrow + 4);
        if (target.starts_with("/proc/")) continue;
        seen[section][std::stoi(line.substr(line.rfind(' ', arrow - 1) + 1))] = target;
    }
    return seen;
}

// A host's calls over http and https leave nothing to the programs it starts: the desktop
// opener's handler holds standard input, output and error only, and a program the host forks
// and execs holds no socket (the host's own descriptors are the host's to give).
TEST(DescriptorTest, ProgramsTheHostStartsHoldNoneOfTheKitsDescriptors) {
    LoopbackServer plain;
    LoopbackServer secure{tlsFile("server.pem"), tlsFile("server-key.pem")};
    answer(plain);
    answer(secure);
    const ScratchFolder folder("opener");
    const auto opener = folder.path() / "xdg-open";
    std::ofstream(opener) << "#!/bin/sh\nexec ls -l /proc/self/fd\n";
    std::filesystem::permissions(opener, std::filesystem::perms(0755));
    const char* path = std::getenv("PATH");
    const TrustCase trusted{"", tlsFile("test-ca.pem"), std::nullopt, true};
    const std::string printed = probe(
        CORVEND_TLS_PROBE_PATH, trusted,
        ProbeRun{
            {"--descriptors", plain.url("/").absoluteString(), secure.url("/").absoluteString()},
            {"PATH=" + folder.path().string() + ":" + (path != nullptr ? path : "/bin")},
            {"timeout", "-s", "KILL", std::to_string(kDeadline.count() / 1000 * 3)}});

    const auto seen = listings(printed);
    ASSERT_TRUE(seen.contains("end")) << printed;
    std::vector<int> openerHolds;
    for (const auto& [fd, target] : seen.at("opener")) openerHolds.push_back(fd);
    EXPECT_EQ(openerHolds, (std::vector<int>{0, 1, 2})) << printed;
    bool hostsOwnKept = false;
    for (const auto& [fd, target] : seen.at("exec")) {
        EXPECT_FALSE(target.starts_with("socket:")) << fd << " -> " << target;
        hostsOwnKept = hostsOwnKept || (fd > 2 && target == "/dev/null");
    }
    EXPECT_TRUE(hostsOwnKept) << printed;
    EXPECT_EQ(plain.seen().size() + secure.seen().size(), 4u);
}

}  // namespace
}  // namespace corvend::integration
