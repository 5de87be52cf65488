#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/async/Task.hpp"
#include "platform/http/URLError.hpp"
#include "platform/http/URLRequest.hpp"
#include "platform/http/URLResponse.hpp"
#include "platform/http/URLSession.hpp"
#include "platform/ui/View.hpp"
#include "platform/web/NavigationAction.hpp"
#include "platform/web/NavigationActionPolicy.hpp"
#include "platform/web/NavigationDelegate.hpp"
#include "platform/web/UIDelegate.hpp"
#include "platform/web/WebPage.hpp"
#include "platform/web/WebViewConfiguration.hpp"

namespace corvend::platform::web {

// A headless web view: loads pages over HTTP with its own session, runs no scripts, follows
// redirects itself one hop at a time, and asks its navigation delegate before every navigation
// (the first load, each link followed, each redirect hop), exactly once each. Used on the main
// thread; transfers run on tasks and their results come back through MainQueue. Releasing the
// view cancels its transfer, and nothing is delivered after it is gone. A view made while its
// session cannot be had (no descriptor left) makes it at a load; a load that cannot have it
// fails with the session's URLError.
class WebView : public ui::View {
  public:
    // Redirect hops followed for one navigation before it fails.
    static constexpr int kMaximumRedirects = 20;
    // How a navigation's failure begins when a redirect names an address that cannot be read;
    // the address as the server wrote it follows, so a host can show it as the server's words.
    static constexpr std::string_view kUnusableRedirect = "a redirect to an unusable address: ";

    explicit WebView(WebViewConfiguration configuration = {});
    ~WebView() override;

    const WebViewConfiguration& configuration() const { return configuration_; }

    // Both delegates are held weakly; without a navigation delegate every navigation is allowed.
    std::shared_ptr<NavigationDelegate> navigationDelegate() const;
    void setNavigationDelegate(const std::shared_ptr<NavigationDelegate>& delegate);
    std::shared_ptr<UIDelegate> uiDelegate() const;
    void setUIDelegate(const std::shared_ptr<UIDelegate>& delegate);

    // Starts a navigation to `request` (its time-out applies to each hop); a navigation still
    // running is abandoned without a report.
    void load(URLRequest request);
    // A person follows a link of the page to `url`: a GET with the default 60-second time-out.
    void navigate(const URL& url);
    // Abandons the running navigation without a report; the page shown stays.
    void stopLoading();

    // A navigation is waiting for its decision or its page.
    bool isLoading() const { return pending_.has_value(); }
    // The address being loaded (the current hop), else the page's.
    std::optional<URL> url() const;
    // The last page that arrived, kept until another one does.
    const std::optional<WebPage>& page() const { return page_; }
    // Why the last navigation failed; cleared when the next one starts.
    const std::optional<URLError>& lastError() const { return lastError_; }
    // How many navigations have ended with a page or a failure (not those their decision
    // cancelled, nor those abandoned): a load's end can be told even when it brings the same
    // page again.
    std::uint64_t loadsEnded() const { return loadsEnded_; }

  protected:
    void appendSnapshot(std::vector<std::string>& lines) const override;

  private:
    // The navigation in progress: its number (so late decisions and replies of an abandoned
    // one are told apart), the hop being made and how many redirects led to it.
    struct Pending {
        std::uint64_t id = 0;
        URLRequest request;
        int redirects = 0;
        bool deciding = true;
    };

    void begin(NavigationAction action, int redirects);
    void decided(std::uint64_t id, NavigationActionPolicy policy);
    void fetch();
    // `page` is the reply read as a page, absent for a redirect.
    void arrived(std::uint64_t id, std::optional<WebPage> page, const HTTPURLResponse& response);
    void failed(std::uint64_t id, const URLError& error);
    void abandon();
    std::weak_ptr<WebView> weakSelf();

    WebViewConfiguration configuration_;
    std::shared_ptr<URLSession> session_;  // absent until one can be had
    std::weak_ptr<NavigationDelegate> navigationDelegate_;
    std::weak_ptr<UIDelegate> uiDelegate_;
    std::optional<Pending> pending_;
    std::uint64_t lastNavigationId_ = 0;
    Task<void> transfer_;
    std::optional<WebPage> page_;
    std::optional<URLError> lastError_;
    std::uint64_t loadsEnded_ = 0;
};

}  // namespace corvend::platform::web
