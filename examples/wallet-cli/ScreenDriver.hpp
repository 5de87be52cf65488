#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "examples/wallet-cli/ChoiceMenu.hpp"
#include "examples/wallet-cli/LineSource.hpp"
#include "platform/ui/TextField.hpp"
#include "platform/ui/ViewController.hpp"
#include "platform/web/WebView.hpp"

namespace corvend::cli {

// Runs the kit's screens in the terminal as a person would. Each screen is printed when it settles,
// in its layout order (left to right, then top to bottom); while it works (a spinner, a button
// loading, a page loading) nothing is asked. A link of a page followed ends when its load does: the
// page it brought is printed and asked about again, even one that reads as the last; one the page's
// owner took instead of loading (a return address) leaves the screen to that owner; one chosen
// once another page came in the place of its own is not followed, and that is said. A long screen
// (a page's text, its links) and a long list of choices are printed over several jobs of the
// main queue, so that Ctrl-C is served meanwhile. On a new screen its empty fields are asked for
// in that same order (an empty answer leaves a field empty, "close" closes the screen); the screen
// is shown again, then the choice among every control in the screen's order: the bar buttons,
// then buttons (image-only ones named by what they show), the checkbox, the links of the texts and
// of a web page (each its own number, links sharing a text too), "edit <field>" to type one field
// again, each numbered for as long as the screen is up, disabled ones shown and explained; and the
// words "close" and "clear" (empties the editable fields). At the end of the answers the screen is
// closed. Main thread.
class ScreenDriver : public std::enable_shared_from_this<ScreenDriver> {
  public:
    struct Screens {
        // The screen a person sees now; null while there is none.
        std::function<platform::ui::ViewControllerPtr()> top;
        // What "close" does on `screen`.
        std::function<void(const platform::ui::ViewControllerPtr& screen)> close;
    };

    // `out` must outlive the driver.
    static std::shared_ptr<ScreenDriver> make(std::shared_ptr<LineSource> answers,
                                              std::ostream& out);

    // Looks at the screens every few milliseconds, as a terminal refreshes, until stop(), or
    // until the session's command under way is stopped (see CommandRun); starts nothing once
    // that command may start nothing more.
    void start(Screens screens);
    // Stops looking; an answer still awaited then acts on nothing.
    void stop();

    // Taps the screen's ✕ bar button, else its left bar button; whether one took the tap.
    static bool tapClose(const platform::ui::ViewControllerPtr& screen);
    // The screen's state, not its words: a spinner turning or a button loading, while the
    // screen's own call to the service is under way.
    static bool waitsOnService(const platform::ui::ViewControllerPtr& screen);
    // What `screen` shows, a line each, as its snapshot but in layout order: a control's symbol
    // named as its choice is ("[x] close"), a page's words as written, each of their lines
    // starting with the page mark. Time linear in what the screen holds.
    static std::string render(const platform::ui::ViewControllerPtr& screen);
    // Why `web` shows no page of its own once its load ended: the load's failure, or "the
    // server answered HTTP <status>" for an error status, whose page is the server's.
    static std::optional<std::string> pageFailure(const platform::web::WebView& web);

    struct Passkey {};
    ScreenDriver(Passkey, std::shared_ptr<LineSource> answers, std::ostream& out);
    ~ScreenDriver();

  private:
    // What the driver knows of one screen while it is up. Its menu's actions, as every answer
    // awaited, hold the controls and the driver weakly: nothing keeps a flow's screens, or the
    // driver, once its flow has ended.
    struct Seen {
        std::weak_ptr<platform::ui::ViewController> screen;
        bool fieldsAsked = false;
        ChoiceMenu menu{};
    };

    void step();
    // Prints shown_ from `from` on, a slice per job of the main queue, then lets the screen be
    // asked about.
    void printShown(std::size_t from);
    Seen& seen(const platform::ui::ViewControllerPtr& screen);
    void askFields(std::vector<std::shared_ptr<platform::ui::TextField>> fields);
    void askChoice(const platform::ui::ViewControllerPtr& screen);
    // Prints the rest of the choices, a slice per job of the main queue, then awaits the answer.
    void listRest(const platform::ui::ViewControllerPtr& screen, std::string_view words);
    void awaitChoice(const platform::ui::ViewControllerPtr& screen);
    // The answer arrived, unless the driver was stopped or restarted meanwhile.
    bool current(unsigned run) const { return running_ && run == run_; }

    std::shared_ptr<LineSource> answers_;
    std::ostream& out_;
    Screens screens_;
    bool running_ = false;
    unsigned run_ = 0;
    bool asking_ = false;
    // A page's link was followed: its screen is shown and asked about again once that load
    // ends, whatever page it brings.
    struct Followed {
        std::weak_ptr<platform::web::WebView> web;
        std::uint64_t loadsEnded = 0;
        std::weak_ptr<platform::ui::ViewController> screen;
    };
    // Whether the followed link's load has ended now; one its page's owner took instead of
    // loading (a return address) leaves the screen to that owner, not asked about again.
    bool followedLoadEnded();
    std::optional<Followed> followed_;
    std::weak_ptr<platform::ui::ViewController> leaving_;
    std::string shown_;
    // Printing shown_ stopped inside one of its lines.
    bool midLine_ = false;
    // A list: a screen's entry stays where it is while others come and go.
    std::list<Seen> seen_;
    std::shared_ptr<std::atomic<bool>> ticking_;
    // The screens as a step of the command under way.
    std::shared_ptr<void> step_;
};

}  // namespace corvend::cli
