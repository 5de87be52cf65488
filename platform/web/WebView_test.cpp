#include "platform/web/WebView.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "platform/async/MainQueue.hpp"
#include "tests/support/FaultServer.hpp"
#include "tests/support/LoopbackServer.hpp"
#include "tests/support/NoDescriptorsLeft.hpp"

namespace corvend::platform::web {
namespace {

using namespace std::chrono_literals;
using Policy = NavigationActionPolicy;
using Type = NavigationType;

// Records what the web view asks and reports; decides with `decide` (allow by default).
struct RecordingDelegate : NavigationDelegate {
    std::function<void(NavigationDecisionHandler&)> decide = [](auto& h) { h(Policy::allow); };
    std::vector<std::pair<std::string, Type>> asked;
    int finished = 0;
    std::vector<URLError::Code> failures;

    void decidePolicyFor(WebView&, const NavigationAction& action,
                         NavigationDecisionHandler handler) override {
        asked.emplace_back(action.request.url().path(), action.navigationType);
        decide(handler);
    }
    void didFinish(WebView&) override { ++finished; }
    void didFail(WebView&, const URLError& error) override { failures.push_back(error.code()); }
};

class WebViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        MainQueue::shared().drain();
        auto& routes = server_.routes();
        routes.Get("/start", [](const auto&, auto& res) { res.set_redirect("hop1", 302); });
        routes.Get("/hop1", [this](const auto&, auto& res) {
            res.set_redirect(server_.url("/hop2").absoluteString(), 307);
        });
        routes.Get("/hop2", [](const auto&, auto& res) {
            res.set_content(
                "<html><head><title>Issuer &amp; Bank</title><script>document.write('x')"
                "</script></head><body><p>Confirm   the\npayment</p><p><a href=\" /done?x=1\n\">"
                "Approve</a></p><p><a href=\"http://[bad\">Broken</a></p></body></html>",
                "text/html");
        });
        routes.Get("/done", [](const auto&, auto& res) { res.set_content("Done", "text/plain"); });
        routes.Get("/cyrillic", [](const auto&, auto& res) {
            res.set_content("<p>\xCF\xF0\xE8\xE2\xE5\xF2 <a href=/done>\xC4\xE0</a>",
                            "text/html; charset=windows-1251");
        });
        routes.Get("/loop", [](const auto&, auto& res) { res.set_redirect("/loop", 302); });
        routes.Get("/unusable", [](const auto&, auto& res) { res.set_redirect("http://[", 302); });
        routes.Get("/returning",
                   [](const auto&, auto& res) { res.set_redirect(" /done?id=a b|c\\d ", 302); });
        routes.Get("/slow", [this](const auto&, auto& res) {
            server_.park();
            res.set_content("late", "text/plain");
        });
        server_.start();
        webView_ = std::make_shared<WebView>();
        webView_->setNavigationDelegate(delegate_);
    }

    bool settle() {
        return MainQueue::shared().runUntil([&] { return !webView_->isLoading(); }, 20s);
    }

    testing::LoopbackServer server_;
    std::shared_ptr<RecordingDelegate> delegate_ = std::make_shared<RecordingDelegate>();
    std::shared_ptr<WebView> webView_;  // made on the main thread
};

TEST_F(WebViewTest, FollowsEachRedirectHopAfterAskingOnceAndShowsThePage) {
    webView_->load(URLRequest(server_.url("/start")));
    ASSERT_TRUE(settle());
    EXPECT_EQ(delegate_->asked,
              (std::vector<std::pair<std::string, Type>>{
                  {"/start", Type::other}, {"/hop1", Type::redirect}, {"/hop2", Type::redirect}}));
    EXPECT_EQ(server_.seen().size(), 3u);
    EXPECT_EQ(delegate_->finished, 1);
    EXPECT_EQ(webView_->loadsEnded(), 1u);  // the hops are one load
    ASSERT_TRUE(webView_->page());
    const WebPage& page = *webView_->page();
    EXPECT_EQ(page.url, server_.url("/hop2"));
    EXPECT_EQ(page.title, "Issuer & Bank");
    EXPECT_EQ(page.lines,
              (std::vector<std::string>{"Confirm the payment", "Approve",
                                        "Broken (a link that cannot be followed: http://[bad)"}));
    ASSERT_EQ(page.links.size(), 1u);  // the padded target is one, the unusable one none
    EXPECT_EQ(page.links[0].url, server_.url("/done?x=1"));

    // Following a link is a navigation of its own, asked once.
    webView_->navigate(page.links[0].url);
    ASSERT_TRUE(settle());
    EXPECT_EQ(delegate_->asked.back(),
              (std::pair<std::string, Type>{"/done", Type::linkActivated}));
    EXPECT_EQ(delegate_->asked.size(), 4u);
    EXPECT_EQ(webView_->page()->lines, std::vector<std::string>{"Done"});

    // The same page again is a load of its own.
    webView_->navigate(server_.url("/done?x=1"));
    ASSERT_TRUE(settle());
    EXPECT_EQ(webView_->loadsEnded(), 3u);

    // A redirect's address is read as a link's is: what a browser sends encoded is followed.
    webView_->load(URLRequest(server_.url("/returning")));
    ASSERT_TRUE(settle());
    EXPECT_EQ(delegate_->asked.back(), (std::pair<std::string, Type>{"/done", Type::redirect}));
    ASSERT_TRUE(webView_->page());
    EXPECT_EQ(webView_->page()->url, server_.url("/done?id=a%20b%7Cc%5Cd"));
    EXPECT_FALSE(webView_->lastError());
}

TEST_F(WebViewTest, ACancelAtAnyHopStopsThere) {
    for (std::size_t cancelAt = 0; cancelAt < 3; ++cancelAt) {
        SCOPED_TRACE(cancelAt);
        const auto delegate = std::make_shared<RecordingDelegate>();
        delegate->decide = [&](auto& handler) {
            handler(delegate->asked.size() - 1 == cancelAt ? Policy::cancel : Policy::allow);
        };
        const auto webView = std::make_shared<WebView>();
        webView->setNavigationDelegate(delegate);
        const std::size_t before = server_.seen().size();
        webView->load(URLRequest(server_.url("/start")));
        ASSERT_TRUE(MainQueue::shared().runUntil([&] { return !webView->isLoading(); }, 20s));
        EXPECT_EQ(delegate->asked.size(), cancelAt + 1);
        EXPECT_EQ(server_.seen().size() - before, cancelAt);  // the cancelled hop is never sent
        EXPECT_EQ(delegate->finished, 0);
        EXPECT_TRUE(delegate->failures.empty());
        EXPECT_FALSE(webView->page());
        EXPECT_EQ(webView->loadsEnded(), 0u);
    }
}

TEST_F(WebViewTest, OnlyTheFirstCallOfAHandlerCountsAndADroppedOneCancels) {
    struct Case {
        const char* name;
        std::vector<Policy> calls;
        bool loads;
    };
    for (const Case& c : {Case{"allow then cancel", {Policy::allow, Policy::cancel}, true},
                          Case{"cancel then allow", {Policy::cancel, Policy::allow}, false},
                          Case{"dropped uncalled", {}, false}}) {
        SCOPED_TRACE(c.name);
        const auto delegate = std::make_shared<RecordingDelegate>();
        delegate->decide = [&](auto& handler) {
            for (const Policy policy : c.calls) handler(policy);
        };
        const auto webView = std::make_shared<WebView>();
        webView->setNavigationDelegate(delegate);
        webView->load(URLRequest(server_.url("/done")));
        ASSERT_TRUE(MainQueue::shared().runUntil([&] { return !webView->isLoading(); }, 20s));
        EXPECT_EQ(delegate->asked.size(), 1u);
        EXPECT_EQ(delegate->finished, c.loads ? 1 : 0);
        EXPECT_EQ(webView->page().has_value(), c.loads);
    }

    // A decision may come later, from any thread.
    std::optional<NavigationDecisionHandler> kept;
    delegate_->decide = [&](auto& handler) { kept = handler; };
    webView_->load(URLRequest(server_.url("/done")));
    ASSERT_TRUE(kept);
    std::thread([handler = *kept] { handler(Policy::allow); }).join();
    kept.reset();
    ASSERT_TRUE(settle());
    EXPECT_EQ(delegate_->finished, 1);
}

TEST_F(WebViewTest, ReleasingTheViewMidLoadDeliversNothing) {
    webView_->load(URLRequest(server_.url("/slow")));
    ASSERT_TRUE(MainQueue::shared().runUntil([&] { return server_.seen().size() == 1; }, 20s));
    const std::weak_ptr<WebView> weak = webView_;
    webView_.reset();
    EXPECT_TRUE(weak.expired());  // the transfer does not keep the view
    server_.openGate();

    // A view without a delegate loads what it is given; by the time its page is in, the
    // released view's reply would have come through the same queue.
    const auto other = std::make_shared<WebView>();
    other->load(URLRequest(server_.url("/done")));
    ASSERT_TRUE(MainQueue::shared().runUntil([&] { return other->page().has_value(); }, 20s));
    MainQueue::shared().drain();
    EXPECT_EQ(delegate_->finished, 0);
    EXPECT_TRUE(delegate_->failures.empty());
}

TEST_F(WebViewTest, AFailedNavigationIsReportedAndShown) {
    int port = 0;
    const int reserved = testing::bindLoopback(port, false);  // bound, nobody listening
    struct Case {
        URL url;
        URLError::Code code;
        std::size_t asked;
    };
    for (const Case& c :
         {Case{*URL::make("http://127.0.0.1:" + std::to_string(port) + "/"),
               URLError::Code::cannotConnectToHost, 1},
          Case{server_.url("/loop"), URLError::Code::unknown, WebView::kMaximumRedirects + 1},
          Case{server_.url("/unusable"), URLError::Code::badServerResponse, 1}}) {
        SCOPED_TRACE(c.url.absoluteString());
        const auto delegate = std::make_shared<RecordingDelegate>();
        const auto webView = std::make_shared<WebView>();
        webView->setNavigationDelegate(delegate);
        webView->load(URLRequest(c.url));
        ASSERT_TRUE(MainQueue::shared().runUntil([&] { return !webView->isLoading(); }, 20s));
        EXPECT_EQ(delegate->failures, std::vector<URLError::Code>{c.code});
        EXPECT_EQ(delegate->asked.size(), c.asked);
        EXPECT_EQ(delegate->finished, 0);
        EXPECT_EQ(webView->loadsEnded(), 1u);
        ASSERT_TRUE(webView->lastError());
        EXPECT_TRUE(webView->snapshotLines().front().starts_with("web page failed: "));
    }
    ::close(reserved);
}

// The reply's Content-Type names the page's encoding: its words are shown in their own letters.
TEST_F(WebViewTest, ShowsAPageInTheEncodingItsReplyNames) {
    webView_->load(URLRequest(server_.url("/cyrillic")));
    ASSERT_TRUE(settle());
    ASSERT_TRUE(webView_->page());
    EXPECT_EQ(webView_->page()->lines,
              std::vector<std::string>{"\u041F\u0440\u0438\u0432\u0435\u0442 \u0414\u0430"});
    ASSERT_EQ(webView_->page()->links.size(), 1u);
    EXPECT_EQ(webView_->page()->links[0].text, "\u0414\u0430");
}

// A view made while the process has no descriptor left: a load fails naming the shortage while
// it lasts, and the next one, once descriptors are back, shows the page.
TEST_F(WebViewTest, AViewMadeWithoutDescriptorsLoadsOnceTheyAreBack) {
    // A session let go and a failed load first: the undefined-behaviour checker takes a
    // descriptor to check a type the first time it meets it.
    URLSession::make();
    webView_->load(URLRequest(*URL::make("ftp://127.0.0.1/")));
    ASSERT_TRUE(settle());
    std::shared_ptr<WebView> webView;
    {
        const testing::NoDescriptorsLeft none;
        webView = std::make_shared<WebView>();
        webView->setNavigationDelegate(delegate_);
        webView->load(URLRequest(server_.url("/done")));
        ASSERT_TRUE(MainQueue::shared().runUntil([&] { return !webView->isLoading(); }, 20s));
    }
    EXPECT_EQ(delegate_->failures, (std::vector<URLError::Code>{URLError::Code::unsupportedURL,
                                                                URLError::Code::unknown}));
    ASSERT_TRUE(webView->lastError());
    EXPECT_NE(webView->lastError()->description().find("no file descriptors left"),
              std::string::npos);
    webView->load(URLRequest(server_.url("/done")));
    ASSERT_TRUE(MainQueue::shared().runUntil([&] { return !webView->isLoading(); }, 20s));
    EXPECT_EQ(delegate_->finished, 1);
    EXPECT_EQ(webView->page()->lines, std::vector<std::string>{"Done"});
}

TEST_F(WebViewTest, APageThatNeverEndsIsCutOffByTheWholeTransferCap) {
    // Page loads get the cap of the kit's own calls.
    EXPECT_EQ(WebViewConfiguration{}.timeoutIntervalForResource, std::chrono::seconds(60));

    // A byte every quarter second never lets the idle time-out strike; the cap does.
    testing::FaultServer dripping({"HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n<p>",
                                   testing::FaultServer::Then::drip, "x"});
    const auto delegate = std::make_shared<RecordingDelegate>();
    const auto webView = std::make_shared<WebView>(
        WebViewConfiguration{.timeoutIntervalForResource = std::chrono::seconds(1)});
    webView->setNavigationDelegate(delegate);
    webView->load(URLRequest(*URL::make(dripping.baseURL() + "page")));
    ASSERT_TRUE(MainQueue::shared().runUntil([&] { return !webView->isLoading(); }, 20s));
    EXPECT_EQ(delegate->failures, std::vector<URLError::Code>{URLError::Code::timedOut});
    EXPECT_FALSE(webView->page());
}

// How a submitted form travels through a redirect: 303 turns it into a plain GET; 307 and 308
// repeat method and body, and keep the header fields only while the hop stays on the site.
TEST(WebViewRedirectTest, EachRedirectKindCarriesTheFormAsBrowsersDo) {
    MainQueue::shared().drain();
    struct Hop {
        std::string method;
        std::string body;
        bool keepsHeader = false;
    };
    // What reached the landing page of each server (the handlers run on the servers' threads).
    std::mutex mutex;
    std::vector<Hop> landed;
    testing::LoopbackServer site;
    testing::LoopbackServer elsewhere;
    const auto land = [&](const httplib::Request& request, httplib::Response& response) {
        {
            std::lock_guard lock(mutex);
            landed.push_back({request.method, request.body, request.has_header("X-Session")});
        }
        response.set_content("Landed", "text/plain");
    };
    for (auto* server : {&site, &elsewhere}) {
        server->routes().Get("/landing", land);
        server->routes().Post("/landing", land);
    }
    for (const int status : {303, 307, 308}) {
        site.routes().Post("/form" + std::to_string(status), [status](const auto&, auto& res) {
            res.set_redirect("/landing", status);
        });
    }
    site.routes().Post("/away", [&elsewhere](const auto&, auto& res) {
        res.set_redirect(elsewhere.url("/landing").absoluteString(), 307);
    });
    site.start();
    elsewhere.start();

    // Submits the form to `url` and returns what reached a landing page.
    const auto submit = [&](const URL& url) {
        URLRequest form(url);
        form.setHTTPMethod("POST");
        form.setHTTPBody(Data(std::string("amount=5")));
        form.addValue("s-1", "X-Session");
        const auto webView = std::make_shared<WebView>();
        webView->load(form);
        EXPECT_TRUE(MainQueue::shared().runUntil([&] { return !webView->isLoading(); }, 20s));
        EXPECT_TRUE(webView->page().has_value()) << url.absoluteString();
        std::lock_guard lock(mutex);
        EXPECT_EQ(landed.size(), 1u);
        const Hop hop = landed.empty() ? Hop{} : landed.back();
        landed.clear();
        return hop;
    };
    // The header fields of a GET made from a 303 are the view's own business.
    const struct {
        std::string path;
        Hop expected;
        bool headerMatters = true;
    } rows[] = {{"/form303", {"GET", "", false}, false},
                {"/form307", {"POST", "amount=5", true}},
                {"/form308", {"POST", "amount=5", true}},
                {"/away", {"POST", "amount=5", false}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path);
        const Hop hop = submit(site.url(row.path));
        EXPECT_EQ(hop.method, row.expected.method);
        EXPECT_EQ(hop.body, row.expected.body);
        if (row.headerMatters) {
            EXPECT_EQ(hop.keepsHeader, row.expected.keepsHeader);
        }
    }
    EXPECT_EQ(elsewhere.seen().size(), 1u);
}

}  // namespace
}  // namespace corvend::platform::web
