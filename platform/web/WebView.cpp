#include "platform/web/WebView.hpp"

#include <utility>

#include "platform/async/CancellationError.hpp"
#include "platform/async/CancellationToken.hpp"
#include "platform/async/MainQueue.hpp"
#include "platform/ui/MainThread.hpp"
#include "platform/web/LinkList.hpp"

namespace corvend::platform::web {

namespace {

bool isRedirect(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// Where a reply redirects to, when it is a redirect that names its target.
std::optional<std::string> redirectLocation(const HTTPURLResponse& response) {
    if (!isRedirect(response.statusCode())) return std::nullopt;
    return response.value("location");
}

URLSessionConfiguration sessionConfiguration(const WebViewConfiguration& configuration) {
    auto session = URLSessionConfiguration::ephemeral();
    session.timeoutIntervalForResource = configuration.timeoutIntervalForResource;
    return session;
}

bool sameOrigin(const URL& a, const URL& b) {
    return a.scheme() == b.scheme() && a.host() == b.host() && a.port() == b.port();
}

// The request of the next hop: 307 and 308 repeat the method and body (and, within the origin,
// the header fields); the others become a plain GET, as browsers do.
URLRequest redirected(const URLRequest& previous, URL target, int status) {
    URLRequest next(target, previous.cachePolicy(), previous.timeoutInterval());
    if (status == 307 || status == 308) {
        next.setHTTPMethod(previous.httpMethod());
        next.setHTTPBody(previous.httpBody());
        if (sameOrigin(previous.url(), target)) {
            for (const auto& [name, value] : previous.allHTTPHeaderFields()) {
                next.addValue(value, name);
            }
        }
    }
    return next;
}

}  // namespace

WebView::WebView(WebViewConfiguration configuration) : configuration_(configuration) {
    try {
        session_ = URLSession::make(sessionConfiguration(configuration));
    } catch (const URLError&) {
        // None can be had now (no descriptor left): the first load tries again.
    }
}

WebView::~WebView() {
    transfer_.cancel();
}

std::shared_ptr<NavigationDelegate> WebView::navigationDelegate() const {
    return navigationDelegate_.lock();
}

void WebView::setNavigationDelegate(const std::shared_ptr<NavigationDelegate>& delegate) {
    navigationDelegate_ = delegate;
}

std::shared_ptr<UIDelegate> WebView::uiDelegate() const {
    return uiDelegate_.lock();
}

void WebView::setUIDelegate(const std::shared_ptr<UIDelegate>& delegate) {
    uiDelegate_ = delegate;
}

void WebView::load(URLRequest request) {
    ui::requireMainThread("WebView::load");
    begin({std::move(request), NavigationType::other}, 0);
}

void WebView::navigate(const URL& url) {
    ui::requireMainThread("WebView::navigate");
    begin({URLRequest(url), NavigationType::linkActivated}, 0);
}

void WebView::stopLoading() {
    ui::requireMainThread("WebView::stopLoading");
    abandon();
}

std::optional<URL> WebView::url() const {
    if (pending_) return pending_->request.url();
    if (page_) return page_->url;
    return std::nullopt;
}

std::weak_ptr<WebView> WebView::weakSelf() {
    return std::static_pointer_cast<WebView>(shared_from_this());
}

void WebView::abandon() {
    transfer_.cancel();
    transfer_ = {};
    pending_.reset();
}

void WebView::begin(NavigationAction action, int redirects) {
    if (action.navigationType != NavigationType::redirect) {
        abandon();
        lastError_.reset();
    }
    const std::uint64_t id = ++lastNavigationId_;
    pending_ = Pending{id, action.request, redirects, true};

    const auto delegate = navigationDelegate_.lock();
    if (!delegate) {
        decided(id, NavigationActionPolicy::allow);
        return;
    }
    auto handler =
        NavigationDecisionHandler::make([weak = weakSelf(), id](NavigationActionPolicy policy) {
            if (const auto self = weak.lock()) self->decided(id, policy);
        });
    delegate->decidePolicyFor(*this, action, std::move(handler));
}

void WebView::decided(std::uint64_t id, NavigationActionPolicy policy) {
    if (!pending_ || pending_->id != id || !pending_->deciding) return;
    if (policy == NavigationActionPolicy::cancel) {
        pending_.reset();
        return;
    }
    pending_->deciding = false;
    fetch();
}

void WebView::fetch() {
    if (!session_) {
        try {
            session_ = URLSession::make(sessionConfiguration(configuration_));
        } catch (const URLError& error) {
            // Reported as a transfer's failure is, never from within the decision.
            MainQueue::shared().async([weak = weakSelf(), id = pending_->id, error] {
                if (const auto self = weak.lock()) self->failed(id, error);
            });
            return;
        }
    }
    // The task keeps only what it uses; the view may go away meanwhile. It reads the page too,
    // so that a large one never holds up the main thread (a close or a cancel stays prompt).
    transfer_ = Task<void>::detached(
        [weak = weakSelf(), session = session_, request = pending_->request, id = pending_->id] {
            try {
                auto [body, response] = session->data(request);
                const auto http = std::dynamic_pointer_cast<HTTPURLResponse>(response);
                std::optional<WebPage> page;
                if (http && !redirectLocation(*http)) {
                    page = WebPage::parse(request.url(), http->statusCode(), body.view(),
                                          http->value("content-type"));
                }
                body = {};
                if (isCancelled()) return;
                MainQueue::shared().async([weak, id, page = std::move(page), http]() mutable {
                    const auto self = weak.lock();
                    if (!self) return;
                    if (http) {
                        self->arrived(id, std::move(page), *http);
                    } else {
                        self->failed(id, URLError(URLError::Code::badServerResponse,
                                                  "the reply is not an HTTP reply"));
                    }
                });
            } catch (const CancellationError&) {
                // Abandoned or released: nobody waits for it.
            } catch (const URLError& error) {
                MainQueue::shared().async([weak, id, error] {
                    if (const auto self = weak.lock()) self->failed(id, error);
                });
            }
        });
}

void WebView::arrived(std::uint64_t id, std::optional<WebPage> page,
                      const HTTPURLResponse& response) {
    if (!pending_ || pending_->id != id) return;
    if (const auto location = redirectLocation(response)) {
        const URLRequest& previous = pending_->request;
        // Read as browsers read it, by the same rules as a link's address.
        const std::optional<URL> target = LinkList::resolve(*location, previous.url());
        if (!target) {
            failed(id, URLError(URLError::Code::badServerResponse,
                                std::string(kUnusableRedirect) + *location));
            return;
        }
        if (pending_->redirects >= kMaximumRedirects) {
            failed(id, URLError(URLError::Code::unknown, "too many redirects"));
            return;
        }
        transfer_ = {};
        begin({redirected(previous, std::move(*target), response.statusCode()),
               NavigationType::redirect},
              pending_->redirects + 1);
        return;
    }
    page_ = std::move(page);
    pending_.reset();
    transfer_ = {};
    ++loadsEnded_;
    if (const auto delegate = navigationDelegate_.lock()) delegate->didFinish(*this);
}

void WebView::failed(std::uint64_t id, const URLError& error) {
    if (!pending_ || pending_->id != id) return;
    pending_.reset();
    transfer_ = {};
    lastError_ = error;
    ++loadsEnded_;
    if (const auto delegate = navigationDelegate_.lock()) delegate->didFail(*this, error);
}

void WebView::appendSnapshot(std::vector<std::string>& lines) const {
    if (pending_) {
        lines.push_back("web page: loading " + pending_->request.url().absoluteString());
        return;
    }
    if (lastError_) {
        lines.push_back("web page failed: " + lastError_->description());
        return;
    }
    if (!page_) return;
    lines.push_back("web page: " + page_->url.absoluteString() + " (" +
                    std::to_string(page_->statusCode) + ")");
    if (page_->title) lines.push_back("title: " + *page_->title);
    for (const std::string_view line : page_->lines) lines.emplace_back(line);
    for (std::size_t i = 0; i < page_->links.size(); ++i) {
        lines.push_back("link: " + std::string(page_->links.text(i)));
    }
}

}  // namespace corvend::platform::web
