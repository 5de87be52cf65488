#include "examples/wallet-cli/ScreenDriver.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/async/MainQueue.hpp"
#include "platform/ui/Button.hpp"
#include "platform/ui/TextField.hpp"
#include "platform/ui/ViewController.hpp"

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

// However a flow ends (a button, "close", or stopped while an answer is awaited or while its
// choices are still being listed), nothing of its screen is left once it has ended, whoever
// still holds the driver; and the driver goes with its owner. A stopped driver lists and asks
// nothing more.
TEST(ScreenDriverTest, NothingOfAFlowOutlivesItsEnd) {
    MainQueue::shared().drain();  // this thread drives the main queue, as the host's does
    struct Case {
        std::string name;
        int buttons;
        // Answered to the choice; empty: the flow is stopped instead.
        std::string answer;
        // Stopped once this is shown, before the choice is asked.
        std::string stopAt;
    };
    for (const Case& flow : {Case{"a button", 1, "Pay 1", ""}, Case{"close", 1, "close", ""},
                             Case{"stopped while asked", 1, "", ""},
                             Case{"stopped while listed", 1500, "", "choose:"}}) {
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
        const std::weak_ptr<platform::ui::ViewController> weakScreen = screen;
        driver = ScreenDriver::make(lines, out);
        driver->start({.top = [&] { return screen; }, .close = [&](const auto&) { end(); }});
        const auto asked = [&] { return lines->pending != nullptr; };
        ASSERT_TRUE(MainQueue::shared().runUntil(asked, std::chrono::seconds(30))) << out.str();
        lines->answer("");
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
            if (flow.answer.empty()) {
                end();
            } else {
                lines->answer(flow.answer);
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

}  // namespace
}  // namespace corvend::cli
