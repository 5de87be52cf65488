#include "examples/wallet-cli/ScreenDriver.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "examples/wallet-cli/CommandRun.hpp"
#include "examples/wallet-cli/Interruptions.hpp"
#include "platform/async/MainQueue.hpp"
#include "platform/ui/Button.hpp"
#include "platform/ui/Image.hpp"
#include "platform/ui/TextField.hpp"
#include "platform/ui/ViewController.hpp"
#include "platform/web/WebView.hpp"
#include "sandbox/Sandbox.hpp"

namespace corvend::cli {
namespace {

using platform::MainQueue;
using ::testing::HasSubstr;
using ::testing::Not;

// Hands a line over only when the test says so.
struct HeldLines final : LineSource {
    void next(Delivery deliver) override { pending = std::move(deliver); }
    void answer(std::string line) { std::exchange(pending, nullptr)(std::move(line)); }
    Delivery pending;
};

// Serves `body` as the HTML page at "page", on the sandbox `sandbox` starts.
void servePage(corvend::sandbox::Sandbox& sandbox, std::string body) {
    sandbox.start();
    sandbox.addRoute("GET", "page",
                     [body = std::move(body)](const corvend::sandbox::RouteRequest&) {
                         corvend::sandbox::Reply reply;
                         reply.contentType = "text/html";
                         reply.body = body;
                         return reply;
                     });
}

// However a flow ends (a button, "close", or stopped while an answer is awaited or while its
// choices are still being listed), with a web page's links among its choices or not, nothing of
// its screen is left once it has ended, whoever still holds the driver; and the driver goes with
// its owner. A stopped driver lists and asks nothing more. A field typed after a Ctrl-C (one
// that closed a sheet while the flow went on) is an answer: the command goes on by it. A page's
// link chosen once another page came in its place is not followed.
TEST(ScreenDriverTest, NothingOfAFlowOutlivesItsEnd) {
    MainQueue::shared().drain();  // this thread drives the main queue, as the host's does
    corvend::sandbox::Sandbox sandbox;
    servePage(sandbox, "<title>Pay</title><a href=/page>Again</a>");
    struct Case {
        std::string name;
        int buttons;
        // Answered to the choice; empty: the flow is stopped instead.
        std::string answer;
        // Stopped once this is shown, before the choice is asked.
        std::string stopAt;
        // The screen shows a web page of links too.
        bool page = false;
        // A Ctrl-C came before the field was typed.
        bool ctrlC = false;
        // The page was loaded again before the answer.
        bool reloaded = false;
    };
    for (const Case& flow :
         {Case{"a button", 1, "Pay 1", ""}, Case{"close", 1, "close", ""},
          Case{"stopped while asked", 1, "", ""}, Case{"stopped while listed", 1500, "", "choose:"},
          Case{"a page, closed", 1, "close", "", true},
          Case{"a page, stopped while asked", 1, "", "", true},
          Case{"a field typed after a Ctrl-C", 1, "Pay 1", "", false, true},
          Case{"a link of a page gone", 1, "Again", "", true, false, true}}) {
        SCOPED_TRACE(flow.name);
        auto screen = std::make_shared<platform::ui::ViewController>();
        std::vector<std::weak_ptr<platform::ui::View>> controls;
        const auto add = [&](const std::shared_ptr<platform::ui::View>& control) {
            screen->view()->addSubview(control);
            controls.push_back(control);
        };
        add([] {
            auto field = std::make_shared<platform::ui::TextField>();
            field->setPlaceholder("Name");
            return field;
        }());
        std::shared_ptr<ScreenDriver> driver;
        const auto lines = std::make_shared<HeldLines>();
        std::ostringstream out;
        bool ended = false;
        const auto end = [&] {
            ended = true;
            driver->stop();
            screen.reset();
        };
        for (int i = 1; i <= flow.buttons; ++i) {
            const auto button = std::make_shared<platform::ui::Button>();
            button->setTitle("Pay " + std::to_string(i));
            button->addTarget(platform::ui::ControlEvent::touchUpInside,
                              [&](platform::ui::Control&) { end(); });
            add(button);
        }
        std::weak_ptr<platform::web::WebView> page;
        const auto load = [&] {
            page.lock()->load(
                platform::URLRequest(*platform::URL::make(sandbox.baseURL() + "page")));
        };
        if (flow.page) {
            const auto web = std::make_shared<platform::web::WebView>();
            add(web);
            page = web;
            load();
        }
        const std::weak_ptr<platform::ui::ViewController> weakScreen = screen;
        driver = ScreenDriver::make(lines, out);
        driver->start({.top = [&] { return screen; }, .close = [&](const auto&) { end(); }});
        const auto asked = [&] { return lines->pending != nullptr; };
        ASSERT_TRUE(MainQueue::shared().runUntil(asked, std::chrono::seconds(30))) << out.str();
        if (flow.ctrlC) {
            // A command under way, then its Ctrl-C.
            Interruptions::shared().setCommand(CommandRun::make([](const auto&) {}));
            Interruptions::shared().interrupt();
        }
        lines->answer("");
        if (flow.ctrlC) {
            EXPECT_FALSE(Interruptions::shared().came());
            Interruptions::shared().setCommand(nullptr);
        }
        if (!flow.stopAt.empty()) {
            ASSERT_TRUE(MainQueue::shared().runUntil(
                [&] { return out.str().find(flow.stopAt) != std::string::npos; },
                std::chrono::seconds(30)));
            // Stopped as Ctrl-C stops it, the screen still up a while.
            driver->stop();
            MainQueue::shared().drain();
            EXPECT_FALSE(asked());
            EXPECT_EQ(out.str().find("] Pay " + std::to_string(flow.buttons)), std::string::npos);
            end();
        } else {
            ASSERT_TRUE(MainQueue::shared().runUntil(asked, std::chrono::seconds(30))) << out.str();
            if (flow.page) {
                EXPECT_THAT(out.str(), HasSubstr("] Again"));
            }
            if (flow.reloaded) {
                load();
                ASSERT_TRUE(MainQueue::shared().runUntil(
                    [&] { return page.lock()->loadsEnded() == 2; }, std::chrono::seconds(30)));
            }
            if (flow.answer.empty()) {
                end();
            } else {
                lines->answer(flow.answer);
            }
            if (flow.reloaded) {
                EXPECT_THAT(out.str(), HasSubstr("nothing was followed"));
                EXPECT_FALSE(page.lock()->isLoading());
                end();
            }
        }
        EXPECT_TRUE(ended);
        EXPECT_TRUE(weakScreen.expired());
        for (const auto& control : controls) EXPECT_TRUE(control.expired());
        const std::weak_ptr<ScreenDriver> weakDriver = driver;
        driver.reset();
        EXPECT_TRUE(weakDriver.expired());
    }
}

// What a screen shows: a page's words as written, the host's own names for its controls among
// them, every line marked; only a control's symbol is given the words the choices name it by.
TEST(ScreenDriverTest, RendersAPagesWordsAsWrittenAndNamesOnlyAControlsSymbol) {
    MainQueue::shared().drain();
    corvend::sandbox::Sandbox sandbox;
    servePage(sandbox, "<title>[info.circle]</title><p>[xmark] [questionmark.circle] close</p>");
    auto screen = std::make_shared<platform::ui::ViewController>();
    const auto close = std::make_shared<platform::ui::Button>();
    close->setImage(platform::ui::Image::system("xmark"));
    screen->view()->addSubview(close);
    const auto web = std::make_shared<platform::web::WebView>();
    screen->view()->addSubview(web);
    web->load(platform::URLRequest(*platform::URL::make(sandbox.baseURL() + "page")));
    ASSERT_TRUE(MainQueue::shared().runUntil([&] { return web->page().has_value(); },
                                             std::chrono::seconds(30)));
    const std::string shown = ScreenDriver::render(screen);
    EXPECT_THAT(shown, HasSubstr("button: [x] close\n")) << shown;
    EXPECT_THAT(shown, HasSubstr("\n  | title: [info.circle]\n  | [xmark] [questionmark.circle] "
                                 "close"))
        << shown;
    EXPECT_THAT(shown, Not(HasSubstr("about this"))) << shown;
}

}  // namespace
}  // namespace corvend::cli
