#include "CorvendWallet/ui/flows/card-deposit/ThreeDSWebViewController.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "CorvendWallet/setup/WebReturnURL.hpp"
#include "platform/async/MainQueue.hpp"
#include "tests/support/FailingPages.hpp"
#include "tests/support/FaultServer.hpp"

namespace corvend {
namespace {

using namespace std::chrono_literals;
using platform::MainQueue;
using platform::web::NavigationActionPolicy;
using testing::FaultServer;

class ThreeDSWebViewControllerTest : public ::testing::Test {
  protected:
    void SetUp() override { MainQueue::shared().drain(); }

    // Makes the screen for `page`, shows its view (which starts the load) and records results.
    std::shared_ptr<ThreeDSWebViewController> open(const std::string& page) {
        auto screen = ThreeDSWebViewController::make(page, std::string(kWebReturnURL));
        screen->setCompletion([this](ThreeDSResult result) { results_.push_back(result); });
        screen->view();
        return screen;
    }

    std::vector<ThreeDSResult> results_;
};

TEST_F(ThreeDSWebViewControllerTest, TheIssuerPageReachingTheReturnAddressReportsOneSuccess) {
    FaultServer issuer({"HTTP/1.1 302 Found\r\nLocation: " + std::string(kWebReturnURL) +
                        "/3ds?id=7\r\nContent-Length: 0\r\nConnection: close\r\n\r\n"});
    const auto screen = open(issuer.baseURL() + "acs");
    const auto& webView = screen->webView();
    ASSERT_TRUE(MainQueue::shared().runUntil(
        [&] { return !results_.empty() && !webView->isLoading(); }, 20s));
    EXPECT_EQ(results_, std::vector<ThreeDSResult>{ThreeDSResult::success});
    EXPECT_EQ(issuer.accepted(), 1);
    EXPECT_FALSE(webView->page());  // the return address itself is never loaded

    // Reaching the return address again, or closing afterwards, is not a second outcome.
    webView->navigate(*platform::URL::make(std::string(kWebReturnURL) + "/again"));
    ASSERT_TRUE(MainQueue::shared().runUntil([&] { return !webView->isLoading(); }, 20s));
    EXPECT_TRUE(screen->navigationItem().leftBarButtonItem->tap());
    MainQueue::shared().drain();
    EXPECT_EQ(results_, std::vector<ThreeDSResult>{ThreeDSResult::success});
}

TEST_F(ThreeDSWebViewControllerTest, TheReturnAddressWithItsDefaultPortWrittenOutIsReached) {
    FaultServer issuer(testing::redirectTo("https://return.corvend.example:443/3ds?id=7"));
    const auto screen = open(issuer.baseURL() + "acs");
    ASSERT_TRUE(MainQueue::shared().runUntil(
        [&] { return !results_.empty() && !screen->webView()->isLoading(); }, 20s));
    EXPECT_EQ(results_, std::vector<ThreeDSResult>{ThreeDSResult::success});
    EXPECT_FALSE(screen->webView()->lastError());
}

TEST_F(ThreeDSWebViewControllerTest, AFailedPageShowsTheFailureAndTheCloseStillReportsCancel) {
    for (const auto& c : testing::failingPages(kWebReturnURL)) {
        SCOPED_TRACE(c.name);
        results_.clear();
        FaultServer issuer(c.script);
        const auto screen = open(issuer.baseURL() + "acs");
        ASSERT_TRUE(
            MainQueue::shared().runUntil([&] { return !screen->webView()->isLoading(); }, 20s));
        MainQueue::shared().drain();
        EXPECT_TRUE(results_.empty());
        ASSERT_TRUE(screen->webView()->lastError());
        const std::string shown = screen->snapshot();
        EXPECT_NE(shown.find("image: icloud.slash"), std::string::npos) << shown;
        EXPECT_NE(shown.find("web page failed: "), std::string::npos) << shown;

        // The person leaves the failed page the only way there is.
        EXPECT_TRUE(screen->navigationItem().leftBarButtonItem->tap());
        MainQueue::shared().drain();
        EXPECT_EQ(results_, std::vector<ThreeDSResult>{ThreeDSResult::cancel});
    }
}

// The failure picture belongs to the failure: a page that arrives afterwards (the person tried
// again, or followed a link) is shown without it, and a new failure brings it back.
TEST_F(ThreeDSWebViewControllerTest, APageArrivingAfterAFailureTakesTheFailurePictureAway) {
    FaultServer broken(testing::redirectTo("/acs"));
    const std::string body = "<title>Issuer</title><p>Approve the payment</p>";
    FaultServer issuer({"HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                        std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body});
    const auto screen = open(broken.baseURL() + "acs");
    const auto& webView = screen->webView();
    const auto settle = [&] {
        return MainQueue::shared().runUntil([&] { return !webView->isLoading(); }, 20s);
    };
    const auto showsFailure = [&] {
        return screen->snapshot().find("image: icloud.slash") != std::string::npos;
    };
    ASSERT_TRUE(settle());
    ASSERT_TRUE(showsFailure());

    webView->navigate(*platform::URL::make(issuer.baseURL() + "acs"));
    ASSERT_TRUE(settle());
    ASSERT_TRUE(webView->page());
    EXPECT_FALSE(showsFailure()) << screen->snapshot();
    EXPECT_EQ(screen->failureImageView(), nullptr);

    webView->navigate(*platform::URL::make(broken.baseURL() + "acs"));
    ASSERT_TRUE(settle());
    EXPECT_TRUE(showsFailure()) << screen->snapshot();
    EXPECT_TRUE(results_.empty());
}

TEST_F(ThreeDSWebViewControllerTest, AReturnAddressAsThePageEndsAtOnceWithoutLoading) {
    const auto screen = open(std::string(kWebReturnURL) + "/?pares=1");
    ASSERT_TRUE(MainQueue::shared().runUntil(
        [&] { return !results_.empty() && !screen->webView()->isLoading(); }, 20s));
    EXPECT_EQ(results_, std::vector<ThreeDSResult>{ThreeDSResult::success});
    EXPECT_FALSE(screen->webView()->page());
}

TEST_F(ThreeDSWebViewControllerTest, ClosingReportsCancelOnceAndReleasingStopsThePage) {
    FaultServer silent({"", FaultServer::Then::holdOpen});
    auto screen = open(silent.baseURL() + "acs");
    const std::weak_ptr<platform::web::WebView> webView = screen->webView();
    ASSERT_TRUE(MainQueue::shared().runUntil([&] { return silent.accepted() == 1; }, 20s));
    ASSERT_TRUE(webView.lock()->isLoading());
    screen->navigationItem().leftBarButtonItem->tap();
    screen->navigationItem().leftBarButtonItem->tap();
    EXPECT_EQ(results_, std::vector<ThreeDSResult>{ThreeDSResult::cancel});
    screen.reset();
    EXPECT_TRUE(webView.expired());
    MainQueue::shared().drain();
    EXPECT_EQ(results_.size(), 1u);
}

TEST_F(ThreeDSWebViewControllerTest, WithoutCompletionTheReturnIsStillCancelled) {
    const auto screen =
        ThreeDSWebViewController::make("https://issuer.example/acs", std::string(kWebReturnURL));
    std::optional<NavigationActionPolicy> decided;
    screen->decidePolicyFor(
        *screen->webView(),
        {platform::URLRequest(*platform::URL::make(std::string(kWebReturnURL) + "/"))},
        platform::web::NavigationDecisionHandler::make(
            [&](NavigationActionPolicy policy) { decided = policy; }));
    MainQueue::shared().drain();
    EXPECT_EQ(decided, NavigationActionPolicy::cancel);
    EXPECT_EQ(screen->result(), ThreeDSResult::success);
}

TEST_F(ThreeDSWebViewControllerTest, APageAddressThatIsNoURLMakesNoScreen) {
    EXPECT_EQ(ThreeDSWebViewController::make("not a url", std::string(kWebReturnURL)), nullptr);
}

}  // namespace
}  // namespace corvend
