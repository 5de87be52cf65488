// The identity-verification screen against the sandbox's session calls and pages, headless.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "CorvendWallet/services/profile/CustomerVerificationRepository.hpp"
#include "CorvendWallet/setup/WebReturnURL.hpp"
#include "CorvendWallet/ui/flows/verification/CustomerVerificationViewController.hpp"
#include "tests/integration/SandboxTest.hpp"
#include "tests/support/FailingPages.hpp"

namespace corvend::integration {
namespace {

using model::VerificationResult;
using platform::web::NavigationActionPolicy;

constexpr const char* kSessionsPath = "digitalwallets/v1/profile/kyc/sessions";

// Forwards each navigation to the screen and records whether the screen decided it; forwards
// the pages that arrive, and the page's failures when asked to.
struct DecisionRecorder : platform::web::NavigationDelegate {
    void decidePolicyFor(platform::web::WebView& webView,
                         const platform::web::NavigationAction& action,
                         platform::web::NavigationDecisionHandler decisionHandler) override {
        auto handler = platform::web::NavigationDecisionHandler::make(
            [decisionHandler](NavigationActionPolicy policy) { decisionHandler(policy); });
        screen.lock()->decidePolicyFor(webView, action, handler);
        decided.push_back(handler.isDecided());
    }
    void didFinish(platform::web::WebView& webView) override { screen.lock()->didFinish(webView); }
    void didFail(platform::web::WebView& webView, const platform::URLError& error) override {
        if (forwardFailures) screen.lock()->didFail(webView, error);
    }
    std::weak_ptr<CustomerVerificationViewController> screen;  // the web view's, so alive
    std::vector<bool> decided{};
    bool forwardFailures = false;
};

class CustomerVerificationScreenTest : public SandboxTest {
  protected:
    CustomerVerificationScreenTest() { platform::MainQueue::shared().drain(); }

    // A screen made by the service, whose results are recorded as the host would.
    std::shared_ptr<CustomerVerificationViewController> start(
        std::optional<std::string> language = std::nullopt) {
        auto screen = std::static_pointer_cast<CustomerVerificationViewController>(
            service->startCustomerVerification({"ref-1", std::move(language)}));
        screen->setCompletion([this](VerificationResult result) {
            onMain = onMain && platform::MainQueue::isMainThread();
            results.push_back(result);
        });
        recorders.push_back(std::make_shared<DecisionRecorder>());
        recorders.back()->screen = screen;
        screen->webView()->setNavigationDelegate(recorders.back());
        return screen;
    }

    void waitForPage(const CustomerVerificationViewController& screen) {
        const auto& web = *screen.webView();
        ASSERT_TRUE(platform::MainQueue::shared().runUntil(
            [&] { return !web.isLoading() && web.page() && !web.page()->links.empty(); },
            kDeadline))
            << web.page().has_value();
    }

    // As a person would.
    void follow(const CustomerVerificationViewController& screen, const std::string& text) {
        for (const auto& link : screen.webView()->page()->links) {
            if (link.text == text) return screen.webView()->navigate(link.url);
        }
        ADD_FAILURE() << "no link " << text;
    }

    // The session of the verification page shown: its address ends with the identifier.
    static std::string sessionShown(const CustomerVerificationViewController& screen) {
        const auto& address = screen.webView()->page()->url.absoluteString();
        return address.substr(address.rfind('/') + 1);
    }

    void waitForResults(std::size_t count) {
        EXPECT_TRUE(platform::MainQueue::shared().runUntil([&] { return results.size() >= count; },
                                                           kDeadline));
    }

    std::size_t sessionReads() const {
        const auto requests = sandbox.requests();
        return std::ranges::count_if(requests, [](const auto& request) {
            return request.path.starts_with(std::string("/") + kSessionsPath + "/");
        });
    }

    const std::shared_ptr<NetworkManager> manager = configuredManager("user-token-1");
    const std::shared_ptr<CustomerVerificationRepository> service =
        CustomerVerificationRepository::make(
            manager, [](const auto& request, std::shared_ptr<Networkable> networkManager) {
                return CustomerVerificationViewController::make(request, std::move(networkManager));
            });
    std::vector<VerificationResult> results;
    bool onMain = true;
    std::vector<std::shared_ptr<DecisionRecorder>> recorders;  // the web views hold them weakly
};

TEST_F(CustomerVerificationScreenTest, EachWayOutOfThePageGivesItsResult) {
    const struct {
        const char* link;
        VerificationResult expected;
    } cases[] = {{"Complete", VerificationResult::complete},
                 {"Cancel", VerificationResult::cancelled},
                 {"Abandon", VerificationResult::failed}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.link);
        results.clear();
        const auto screen = start("en");
        waitForPage(*screen);
        const auto page = screen->webView()->page()->url;
        follow(*screen, c.link);
        waitForResults(1);
        EXPECT_EQ(results, std::vector<VerificationResult>{c.expected});
        EXPECT_TRUE(onMain);
        // The page, the link, the return: each decided; the return address never loaded.
        EXPECT_EQ(recorders.back()->decided, (std::vector<bool>{true, true, true}));
        EXPECT_EQ(screen->webView()->page()->url, page);
        // The declined navigation's end may reach the main queue after the session's read.
        EXPECT_TRUE(platform::MainQueue::shared().runUntil(
            [&] { return !screen->webView()->isLoading(); }, kDeadline));
    }
    const auto creation = boost::json::parse(sandbox.requests().front().body).as_object();
    EXPECT_EQ(creation, (boost::json::object{{"merchantRefNum", "ref-1"},
                                             {"language", "en"},
                                             {"returnUrl", std::string(kWebReturnURL)}}));
}

TEST_F(CustomerVerificationScreenTest, EveryFailedStepIsAnInternalError) {
    const struct {
        const char* name;
        // POST: the creation; PAGE: the session's first page; GET: the read, once the page is
        // shown
        const char* method;
        sandbox::ScriptedReply reply;
    } cases[] = {
        {"creation refused", "POST", {.status = 500}},
        {"no page address",
         "POST",
         {.status = 201, .body = R"({"merchantRefNum":"ref-1","id":"kyc-1","status":"CREATED"})"}},
        {"unusable page address",
         "POST",
         {.status = 201,
          .body = R"({"merchantRefNum":"r","id":"kyc-1","status":"CREATED","redirectUrl":"a b"})"}},
        {"undecodable creation", "POST", {.status = 201, .body = R"({"id":"kyc-1"})"}},
        {"first page answered 502",
         "PAGE",
         {.status = 502, .body = "<h1>Bad Gateway</h1>", .contentType = "text/html"}},
        {"first page answered 404", "PAGE", {.status = 404, .contentType = "text/html"}},
        {"read refused", "GET", {.status = 500}},
        {"undecodable read", "GET", {.body = "{"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        results.clear();
        sandbox.clearRequests();
        const bool reads = std::string_view(c.method) == "GET";
        const bool page = std::string_view(c.method) == "PAGE";
        if (page) {
            const boost::json::object session{
                {"merchantRefNum", "ref-1"},
                {"id", "kyc-1"},
                {"status", "CREATED"},
                {"redirectUrl", sandbox.baseURL() + "sandbox/kyc/kyc-1"}};
            sandbox.scriptNextReply("POST", kSessionsPath,
                                    {.status = 201, .body = boost::json::serialize(session)});
            sandbox.scriptNextReply("GET", "sandbox/kyc/kyc-1", c.reply);
        } else if (!reads) {
            sandbox.scriptNextReply("POST", kSessionsPath, c.reply);
        }
        const auto screen = start();
        if (reads) {
            waitForPage(*screen);
            sandbox.scriptNextReply("GET", kSessionsPath + ("/" + sessionShown(*screen)), c.reply);
            follow(*screen, "Complete");
        }
        waitForResults(1);
        EXPECT_EQ(results, std::vector<VerificationResult>{VerificationResult::internalError});
        EXPECT_EQ(screen->webView()->page().has_value(), reads || page) << "a page was loaded";
    }
}

TEST_F(CustomerVerificationScreenTest, OnlyTheReturnAddressIsDeclinedAndOnlyItsSessionIdIsRead) {
    const std::string home(kWebReturnURL);
    const struct {
        const char* name;
        std::string address;  // "{id}" stands for the session shown
        std::vector<VerificationResult> expected;
        std::size_t reads;
        // The session a return named that this screen did not open: not its end.
        std::optional<std::string> foreign{};
        const char* read = nullptr;  // the reply to the session's read; the sandbox's when none
        // The session the read's reply named instead of the one opened, whose page did return.
        std::optional<std::string> foreignReply{};
    } cases[] = {
        {"among other items",
         home + "/done?a=1&sessionId={id}&sessionId=x",
         {VerificationResult::failed},
         1},
        {"default port written out",
         "https://return.corvend.example:443/?sessionId={id}",
         {VerificationResult::failed},
         1},
        {"other letter case", home + "?SessionId={id}", {VerificationResult::internalError}, 0},
        {"without value", home + "?sessionId", {VerificationResult::internalError}, 0},
        {"without query", home, {VerificationResult::internalError}, 0},
        {"path that escapes", home + "?sessionId=..", {VerificationResult::internalError}, 0, ".."},
        {"another session",
         home + "?sessionId=kyc-0&sessionId={id}",
         {VerificationResult::internalError},
         0,
         "kyc-0"},
        {"read answered for another session",
         home + "?sessionId={id}",
         {VerificationResult::internalError},
         1,
         std::nullopt,
         R"({"merchantRefNum":"r","id":"kyc-0","status":"COMPLETE"})",
         "kyc-0"},
        {"read answered for no session",
         home + "?sessionId={id}",
         {VerificationResult::internalError},
         1,
         std::nullopt,
         R"({"merchantRefNum":"r","id":"","status":"COMPLETE"})"},
        // Starts with the same letters but is another address: allowed, so nothing is reported.
        {"look-alike host",
         home + "@127.0.0.1:" + std::to_string(sandbox.port()) + "/?sessionId={id}",
         {},
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        results.clear();
        const auto screen = start();
        waitForPage(*screen);
        sandbox.clearRequests();
        auto address = c.address;
        if (const auto at = address.find("{id}"); at != std::string::npos) {
            address.replace(at, 4, sessionShown(*screen));
        }
        if (c.read) {
            sandbox.scriptNextReply("GET", kSessionsPath + ("/" + sessionShown(*screen)),
                                    {.body = c.read});
        }
        const auto url = platform::URL::make(address);
        ASSERT_TRUE(url.has_value()) << address;
        screen->webView()->navigate(*url);
        ASSERT_TRUE(platform::MainQueue::shared().runUntil(
            [&] { return results.size() >= c.expected.size() && !screen->webView()->isLoading(); },
            kDeadline));
        // Declined, the web view keeps the verification page; allowed, it tried the address.
        EXPECT_EQ(screen->webView()->lastError().has_value(), c.expected.empty());
        EXPECT_EQ(results, c.expected);
        EXPECT_EQ(sessionReads(), c.reads);
        EXPECT_EQ(screen->foreignSession(), c.foreign);
        EXPECT_EQ(screen->foreignReply(), c.foreignReply);
        EXPECT_EQ(recorders.back()->decided, (std::vector<bool>{true, true}));
    }
}

TEST_F(CustomerVerificationScreenTest, APageThatFailsToLoadIsOneInternalError) {
    for (const auto& c : testing::failingPages(kWebReturnURL)) {
        SCOPED_TRACE(c.name);
        results.clear();
        testing::FaultServer page(c.script);
        boost::json::object session{{"merchantRefNum", "ref-1"},
                                    {"id", "kyc-1"},
                                    {"status", "CREATED"},
                                    {"redirectUrl", page.baseURL() + "kyc"}};
        sandbox.scriptNextReply("POST", kSessionsPath,
                                {.status = 201, .body = boost::json::serialize(session)});
        const auto screen = start();
        recorders.back()->forwardFailures = true;
        waitForResults(1);
        ASSERT_TRUE(screen->webView()->lastError());
        // A person's second try at a link that fails is not a second report.
        screen->webView()->navigate(*platform::URL::make(page.baseURL() + "kyc"));
        ASSERT_TRUE(platform::MainQueue::shared().runUntil(
            [&] { return !screen->webView()->isLoading(); }, kDeadline));
        platform::MainQueue::shared().drain();
        EXPECT_EQ(results, std::vector<VerificationResult>{VerificationResult::internalError});
    }
}

// Only the session's own page failing ends the verification: a page the person goes on to that
// fails is the web view's business, and the verification page still leads out.
TEST_F(CustomerVerificationScreenTest, ALaterPageThatFailsReportsNothing) {
    for (const auto& c : testing::failingPages(kWebReturnURL)) {
        SCOPED_TRACE(c.name);
        results.clear();
        testing::FaultServer elsewhere(c.script);
        const auto screen = start();
        recorders.back()->forwardFailures = true;
        waitForPage(*screen);
        screen->webView()->navigate(*platform::URL::make(elsewhere.baseURL() + "help"));
        ASSERT_TRUE(platform::MainQueue::shared().runUntil(
            [&] { return !screen->webView()->isLoading(); }, kDeadline));
        platform::MainQueue::shared().drain();
        ASSERT_TRUE(screen->webView()->lastError());
        EXPECT_EQ(results, std::vector<VerificationResult>{});

        follow(*screen, "Complete");
        waitForResults(1);
        EXPECT_EQ(results, std::vector<VerificationResult>{VerificationResult::complete});
    }
}

TEST_F(CustomerVerificationScreenTest, ACompletionSetAfterTheScreenIsMadeStillHearsAnEarlyFailure) {
    sandbox.scriptNextReply("POST", kSessionsPath, {.status = 503});
    const auto screen = std::static_pointer_cast<CustomerVerificationViewController>(
        service->startCustomerVerification({"ref-late", std::nullopt}));
    ASSERT_TRUE(sandbox.waitForRequests(1, kDeadline));
    screen->setCompletion([this](VerificationResult result) { results.push_back(result); });
    waitForResults(1);
    EXPECT_EQ(results, std::vector<VerificationResult>{VerificationResult::internalError});
}

TEST_F(CustomerVerificationScreenTest, PendingRequestsHoldTheScreenWeakly) {
    sandbox.scriptNextReply("POST", kSessionsPath, {.hold = true});
    auto screen = start();
    ASSERT_TRUE(sandbox.waitForRequests(1, kDeadline));
    const std::weak_ptr<CustomerVerificationViewController> gone = screen;
    screen.reset();
    EXPECT_TRUE(gone.expired()) << "the pending request keeps the screen";
    sandbox.releaseHeld();
}

}  // namespace
}  // namespace corvend::integration
