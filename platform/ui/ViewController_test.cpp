#include "platform/ui/ViewController.hpp"

#include <gtest/gtest.h>

#include "platform/async/MainQueue.hpp"
#include "platform/ui/Label.hpp"
#include "platform/ui/NavigationController.hpp"

namespace corvend::platform::ui {
namespace {

// A screen with one label that logs its life cycle.
class Screen : public ViewController {
  public:
    explicit Screen(std::string text, std::vector<std::string>* log = nullptr)
        : text_(std::move(text)), log_(log) {}

  protected:
    void loadView() override {
        record("loadView");
        auto label = std::make_shared<Label>();
        label->setText(text_);
        setView(label);
    }
    void viewDidLoad() override { record("viewDidLoad"); }
    void viewWillAppear(bool) override { record("willAppear"); }
    void viewDidAppear(bool) override { record("didAppear"); }

  private:
    void record(const std::string& step) {
        if (log_) log_->push_back(text_ + " " + step);
    }
    std::string text_;
    std::vector<std::string>* log_;
};

// Counts its own release, as a lifecycle tracker does.
struct Tracker {
    int* released;
    ~Tracker() { ++*released; }
};

class ViewControllerTest : public ::testing::Test {
  protected:
    void SetUp() override { MainQueue::shared().drain(); }
    static void settle() { MainQueue::shared().drain(); }
};

TEST_F(ViewControllerTest, PresentAndDismissRunEachCompletionOnceAndReleaseTheScreen) {
    std::vector<std::string> log;
    const auto host = std::make_shared<Screen>("host");
    auto sheet = std::make_shared<Screen>("sheet", &log);
    int released = 0;
    sheet->setAssociatedObject("associationKey", std::make_shared<Tracker>(&released));
    int presented = 0;
    host->present(sheet, true, [&] { ++presented; });
    EXPECT_EQ(
        log, (std::vector<std::string>{"sheet loadView", "sheet viewDidLoad", "sheet willAppear"}));
    EXPECT_EQ(presented, 0);  // after the animation, on the main queue
    settle();
    EXPECT_EQ(presented, 1);
    EXPECT_EQ(log.back(), "sheet didAppear");
    EXPECT_EQ(host->snapshot(), "host\npresented:\nsheet");

    // A second presentation while one is shown is refused, its completion still runs once.
    int refused = 0;
    host->present(std::make_shared<Screen>("other"), false, [&] { ++refused; });
    settle();
    EXPECT_EQ(refused, 1);
    EXPECT_EQ(host->presentedViewController(), sheet);

    // The sheet dismisses itself; the host lets it go once the completion has run.
    int dismissed = 0;
    sheet->dismiss(true, [&] {
        ++dismissed;
        EXPECT_EQ(released, 0);
    });
    sheet.reset();
    EXPECT_EQ(host->presentedViewController(), nullptr);
    settle();
    EXPECT_EQ(dismissed, 1);
    EXPECT_EQ(released, 1);

    host->dismiss(false, [&] { ++dismissed; });  // nothing to dismiss
    settle();
    EXPECT_EQ(dismissed, 2);
}

TEST_F(ViewControllerTest, NavigationControllerShowsTheTopScreenWithItsBar) {
    std::vector<std::string> log;
    const auto root = std::make_shared<Screen>("root", &log);
    root->setTitle("Deposit");
    auto navigation = NavigationController::make(nullptr, root);
    const auto host = std::make_shared<Screen>("host");
    host->present(navigation, true);
    settle();
    EXPECT_EQ(log, (std::vector<std::string>{"root loadView", "root viewDidLoad", "root willAppear",
                                             "root didAppear"}));

    auto next = std::make_shared<Screen>("next", &log);
    next->setTitle("Card");
    int closes = 0;
    auto close =
        std::make_shared<BarButtonItem>("Close", BarButtonItem::Style::plain, [&] { ++closes; });
    next->navigationItem().leftBarButtonItem = close;
    navigation->pushViewController(next, true);
    EXPECT_EQ(next->navigationController(), navigation);
    EXPECT_EQ(navigation->snapshot(), "title: Card\nleft bar button: [Close]\nnext");
    EXPECT_TRUE(close->tap());
    close->setEnabled(false);
    EXPECT_FALSE(close->tap());
    close->setEnabled(true);
    close->setHidden(true);
    EXPECT_FALSE(close->tap());
    EXPECT_EQ(closes, 1);

    // Dismissing from a pushed screen ends the whole presentation and releases the stack.
    std::weak_ptr<ViewController> gone = next;
    next.reset();
    navigation->viewControllers().back()->dismiss(true);
    navigation.reset();
    EXPECT_EQ(host->presentedViewController(), nullptr);
    EXPECT_FALSE(gone.expired());
    settle();
    EXPECT_TRUE(gone.expired());
}

}  // namespace
}  // namespace corvend::platform::ui
