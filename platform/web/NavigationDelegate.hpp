#pragma once

#include "platform/http/URLError.hpp"
#include "platform/web/NavigationAction.hpp"
#include "platform/web/NavigationDecisionHandler.hpp"

namespace corvend::platform::web {

class WebView;

// Watches a web view's navigations, on the main thread. The web view holds it weakly.
class NavigationDelegate {
  public:
    virtual ~NavigationDelegate() = default;

    // Decides every navigation before it is made: the first load, each link followed and each
    // redirect hop, exactly once each. `decisionHandler` is called once with allow or cancel,
    // now or later; dropping it uncalled cancels the navigation.
    virtual void decidePolicyFor(WebView& webView, const NavigationAction& navigationAction,
                                 NavigationDecisionHandler decisionHandler) = 0;

    // The page of an allowed navigation has arrived (whatever its HTTP status).
    virtual void didFinish(WebView& webView) { (void)webView; }
    // An allowed navigation failed: the transport failed, or a redirect could not be followed.
    virtual void didFail(WebView& webView, const URLError& error) {
        (void)webView;
        (void)error;
    }
};

}  // namespace corvend::platform::web
