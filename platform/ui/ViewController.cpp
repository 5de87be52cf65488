#include "platform/ui/ViewController.hpp"

#include "platform/async/MainQueue.hpp"
#include "platform/async/ProcessFork.hpp"
#include "platform/ui/MainThread.hpp"
#include "platform/ui/NavigationController.hpp"

namespace corvend::platform::ui {

ViewController::ViewController() {
    requireMainThread("a view controller");
}

ViewController::~ViewController() = default;

ViewPtr ViewController::view() {
    ProcessFork::checkKitUsable("ViewController::view");
    requireMainThread("ViewController::view");
    if (!view_) {
        loadView();
        if (!view_) view_ = std::make_shared<View>();
        viewDidLoad();
    }
    return view_;
}

void ViewController::setView(ViewPtr view) {
    view_ = std::move(view);
}

void ViewController::loadView() {
    view_ = std::make_shared<View>();
}

std::shared_ptr<NavigationController> ViewController::navigationController() const {
    return navigationController_.lock();
}

ViewControllerPtr ViewController::presentationContext() {
    if (auto navigation = navigationController()) return navigation;
    return shared_from_this();
}

void ViewController::appear(const ViewControllerPtr& viewController, bool animated,
                            std::function<void()> completion) {
    viewController->view();
    viewController->viewWillAppear(animated);
    MainQueue::shared().async([viewController, animated, completion = std::move(completion)] {
        viewController->viewDidAppear(animated);
        if (completion) completion();
    });
}

void ViewController::present(ViewControllerPtr viewController, bool animated,
                             std::function<void()> completion) {
    ProcessFork::checkKitUsable("ViewController::present");
    requireMainThread("ViewController::present");
    const auto host = presentationContext();
    const bool refused = !viewController || host->presented_ ||
                         viewController->presenting_.lock() || viewController == host;
    if (refused) {
        MainQueue::shared().async([completion = std::move(completion)] {
            if (completion) completion();
        });
        return;
    }
    host->presented_ = viewController;
    viewController->presenting_ = host;
    appear(viewController, animated, std::move(completion));
}

void ViewController::dismiss(bool, std::function<void()> completion) {
    ProcessFork::checkKitUsable("ViewController::dismiss");
    requireMainThread("ViewController::dismiss");
    const auto host = presentationContext();
    ViewControllerPtr presenter;
    ViewControllerPtr dismissed;
    if (host->presented_) {
        presenter = host;
        dismissed = host->presented_;
    } else if (auto presenting = host->presenting_.lock()) {
        presenter = std::move(presenting);
        dismissed = host;
    }
    if (dismissed) {
        presenter->presented_.reset();
        dismissed->presenting_.reset();
    }
    // The dismissed controllers live until the completion has run: the caller may be one of
    // their own members.
    MainQueue::shared().async(
        [dismissed = std::move(dismissed), completion = std::move(completion)] {
            if (completion) completion();
        });
}

std::string ViewController::snapshot() {
    ProcessFork::checkKitUsable("ViewController::snapshot");
    std::vector<std::string> lines;
    appendSnapshot(lines);
    if (presented_) {
        lines.push_back("presented:");
        lines.push_back(presented_->snapshot());
    }
    std::string text;
    for (const auto& line : lines) text += line + "\n";
    return text.empty() ? text : text.substr(0, text.size() - 1);
}

void ViewController::appendSnapshot(std::vector<std::string>& lines) {
    if (navigationController()) {
        if (title_) lines.push_back("title: " + *title_);
        if (const auto& left = navigationItem_.leftBarButtonItem; left && !left->isHidden())
            lines.push_back("left bar button: " + left->description());
        if (const auto& right = navigationItem_.rightBarButtonItem; right && !right->isHidden())
            lines.push_back("right bar button: " + right->description());
    }
    const auto shown = view()->snapshotLines();
    lines.insert(lines.end(), shown.begin(), shown.end());
}

}  // namespace corvend::platform::ui
