#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "examples/wallet-cli/LineSource.hpp"
#include "examples/wallet-cli/ScreenDriver.hpp"
#include "platform/app/URLOpener.hpp"
#include "platform/url/URL.hpp"
#include "platform/web/NavigationDelegate.hpp"
#include "platform/web/WebView.hpp"

namespace corvend::cli {

// The host's URL opener: where a desktop opens a browser, it shows the page in the terminal as
// the card-deposit flow shows its 3-D Secure page (see ScreenDriver), and lets the person follow
// the page's links or close it. A page opened after expectReturn() ends when a navigation
// reaches that return address: the navigation is not made, and the address, with what the page
// added to it, goes to the waiting handler. The opener reports an address opened once its first
// page has been shown or it went straight to the return address, and not opened when that first
// load failed (an error status included) or the page was closed before it was shown; the
// handler is then not called. A page that fails later ends with its error. Ctrl-C closes the
// page as "close" does. One page at a time. Main thread.
class TerminalURLOpener final : public platform::URLOpener,
                                public platform::web::NavigationDelegate,
                                public std::enable_shared_from_this<TerminalURLOpener> {
  public:
    // Receives the address the page returned to, or nothing when the person closed it first.
    using Ended = std::function<void(std::optional<std::string> returnedTo)>;

    // `out` must outlive the opener.
    static std::shared_ptr<TerminalURLOpener> make(std::shared_ptr<LineSource> answers,
                                                   std::ostream& out);

    // The next page opened ends at an address with the scheme, host, port and path of
    // `returnAddress`; `ended` runs once, on the main thread, when it does or when the person
    // closes the page. Dropped, without a call, when that page fails to open.
    void expectReturn(const std::string& returnAddress, Ended ended);
    // Drops the expectation while no page is open.
    void cancelReturn();
    // Whether the last page not opened was asked for and its load's end not seen (closed while
    // loading, lost on the way, see endUnseen, answered with an error status or redirected
    // somewhere that could not load): the address may have acted on it. A page shown had its
    // request reach the address: however it ends but at the return address is unseen.
    bool loadUnseen() const { return loadUnseen_; }

    using platform::URLOpener::open;
    void open(const platform::URL& url, const Options& options,
              std::function<void(bool opened)> completion) override;

    void decidePolicyFor(platform::web::WebView& webView,
                         const platform::web::NavigationAction& navigationAction,
                         platform::web::NavigationDecisionHandler decisionHandler) override;
    void didFinish(platform::web::WebView& webView) override;
    void didFail(platform::web::WebView& webView, const platform::URLError& error) override;

    struct Passkey {};
    TerminalURLOpener(Passkey, std::shared_ptr<LineSource> answers, std::ostream& out);

  private:
    void answer(bool opened);
    // Closes the page (later, outside the web view's own calls) and tells the handler, when
    // `tell`, where it ended.
    void end(std::optional<std::string> returnedTo, bool tell);

    std::ostream& out_;
    const std::shared_ptr<ScreenDriver> driver_;
    platform::ui::ViewControllerPtr screen_;
    std::optional<platform::URL> returnAddress_;
    Ended ended_;
    std::function<void(bool)> opening_;
    // A page of the address arrived and was shown.
    bool shown_ = false;
    // Navigations asked about since the page was opened: past one, the first load redirected.
    int decisions_ = 0;
    bool loadUnseen_ = false;
    std::shared_ptr<void> interruptGuard_;
};

}  // namespace corvend::cli
