#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/AssociatedObjects.hpp"
#include "platform/ui/NavigationItem.hpp"
#include "platform/ui/View.hpp"

namespace corvend::platform::ui {

class NavigationController;
class ViewController;
using ViewControllerPtr = std::shared_ptr<ViewController>;

// Manages one screen: its view is made on first use (loadView, then viewDidLoad) and it appears
// when presented or pushed. A presenting view controller keeps what it presents until that is
// dismissed; completions run later on the main queue, exactly once each.
class ViewController : public AssociatedObjects,
                       public std::enable_shared_from_this<ViewController> {
  public:
    ViewController();
    virtual ~ViewController();
    ViewController(const ViewController&) = delete;
    ViewController& operator=(const ViewController&) = delete;

    // The root view, made on first use.
    ViewPtr view();
    bool isViewLoaded() const { return view_ != nullptr; }
    // Sets the root view directly; a later view() does not load another.
    void setView(ViewPtr view);

    const std::optional<std::string>& title() const { return title_; }
    void setTitle(std::optional<std::string> title) { title_ = std::move(title); }
    NavigationItem& navigationItem() { return navigationItem_; }
    std::shared_ptr<NavigationController> navigationController() const;

    std::shared_ptr<ViewController> presentedViewController() const { return presented_; }
    std::shared_ptr<ViewController> presentingViewController() const { return presenting_.lock(); }
    // Shows `viewController` modally from this one (from its navigation controller when it has
    // one). While something is presented already, nothing more is shown; the completion still
    // runs once.
    void present(ViewControllerPtr viewController, bool animated,
                 std::function<void()> completion = {});
    // Dismisses what this view controller (or its navigation controller) presents, else the
    // presentation this one is part of; releases the dismissed controllers once the
    // completion has run. With nothing to dismiss the completion still runs once.
    void dismiss(bool animated, std::function<void()> completion = {});

    // Ends editing in the view: the first responder resigns.
    bool endEditing(bool force) { return view()->endEditing(force); }

    // What the screen shows, a line each: the navigation bar (title, left and right buttons)
    // inside a navigation controller, then the views top to bottom, then what is presented.
    std::string snapshot();

  protected:
    virtual void loadView();
    virtual void viewDidLoad() {}
    virtual void viewWillAppear(bool animated) { (void)animated; }
    virtual void viewDidAppear(bool animated) { (void)animated; }
    virtual void appendSnapshot(std::vector<std::string>& lines);

    // Loads the view and calls viewWillAppear now and viewDidAppear, then `completion`, later.
    static void appear(const ViewControllerPtr& viewController, bool animated,
                       std::function<void()> completion);

  private:
    friend class NavigationController;
    ViewControllerPtr presentationContext();

    ViewPtr view_;
    std::optional<std::string> title_;
    NavigationItem navigationItem_;
    std::weak_ptr<NavigationController> navigationController_;
    ViewControllerPtr presented_;
    std::weak_ptr<ViewController> presenting_;
};

}  // namespace corvend::platform::ui
