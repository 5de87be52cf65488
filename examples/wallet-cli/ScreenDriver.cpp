#include "examples/wallet-cli/ScreenDriver.hpp"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstddef>
#include <iterator>
#include <optional>
#include <ostream>
#include <ranges>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <utility>

#include "CorvendCoreComponents/Button.hpp"
#include "CorvendCoreComponents/CheckboxButton.hpp"
#include "CorvendCoreComponents/LinksLabel.hpp"
#include "examples/wallet-cli/CommandRun.hpp"
#include "examples/wallet-cli/CommandWords.hpp"
#include "examples/wallet-cli/FieldNote.hpp"
#include "examples/wallet-cli/Interruptions.hpp"
#include "examples/wallet-cli/LineFitter.hpp"
#include "platform/async/MainQueue.hpp"
#include "platform/async/Task.hpp"
#include "platform/ui/ActivityIndicatorView.hpp"
#include "platform/ui/BarButtonItem.hpp"
#include "platform/ui/Button.hpp"
#include "platform/ui/LayoutConstraint.hpp"
#include "platform/ui/NavigationController.hpp"
#include "platform/web/WebView.hpp"

namespace corvend::cli {

namespace {

// How often the terminal looks at the screen.
constexpr auto kTick = std::chrono::milliseconds(50);
// Choices printed in one job of the main queue: Ctrl-C is served between them while a page of
// very many links is listed.
constexpr std::size_t kListedAtOnce = 1000;
// Bytes of a screen printed in one job, for a page's long text and its many links alike.
constexpr std::size_t kPrintedAtOnce = 64 * 1024;

using platform::ui::LayoutAttribute;
using platform::ui::ViewPtr;

bool isLeftOf(const ViewPtr& a, const ViewPtr& b) {
    // Read from the recorded constraints: a's trailing edge set against b's leading one, or
    // the other way round.
    const auto relates = [](const ViewPtr& first, LayoutAttribute firstEdge, const ViewPtr& second,
                            LayoutAttribute secondEdge) {
        for (const auto& constraint : first->constraints()) {
            const auto& other = constraint->secondAnchor();
            if (constraint->isActive() && constraint->firstAnchor().attribute() == firstEdge &&
                other && other->view() == second.get() && other->attribute() == secondEdge) {
                return true;
            }
        }
        return false;
    };
    return relates(a, LayoutAttribute::trailing, b, LayoutAttribute::leading) ||
           relates(b, LayoutAttribute::leading, a, LayoutAttribute::trailing);
}

// The subviews in the order a person reads them: subview order, except that a view laid out
// to the left of a sibling comes before it.
std::vector<ViewPtr> readingOrder(const ViewPtr& view) {
    std::vector<ViewPtr> left = view->subviews();
    std::vector<ViewPtr> ordered;
    while (!left.empty()) {
        auto next = std::ranges::find_if(left, [&](const ViewPtr& candidate) {
            return std::ranges::none_of(left, [&](const ViewPtr& other) {
                return other != candidate && isLeftOf(other, candidate);
            });
        });
        if (next == left.end()) next = left.begin();  // a cycle: keep subview order
        ordered.push_back(*next);
        left.erase(next);
    }
    return ordered;
}

// Every visible view under `view` (itself first), in reading order.
void walk(const ViewPtr& view, const std::function<void(const ViewPtr&)>& visit) {
    if (view->isHidden()) return;
    visit(view);
    for (const auto& subview : readingOrder(view)) walk(subview, visit);
}

template <class T>
void collect(const ViewPtr& view, std::vector<std::shared_ptr<T>>& found) {
    walk(view, [&](const ViewPtr& each) {
        if (auto match = std::dynamic_pointer_cast<T>(each)) found.push_back(match);
    });
}

template <class T>
std::vector<std::shared_ptr<T>> onScreen(const platform::ui::ViewControllerPtr& screen) {
    std::vector<std::shared_ptr<T>> found;
    const auto view = screen->view();
    view->layoutIfNeeded();
    collect(view, found);
    return found;
}

// The symbols a person is shown by name: the symbol, its glyph and its words.
constexpr std::array<std::array<std::string_view, 3>, 3> kSymbols{{
    {"questionmark.circle", "[?]", "help"},
    {"info.circle", "[i]", "about this"},
    {"xmark", "[x]", "close"},
}};

// A line of the host's own with a control's symbol named as the choices name it ("button:
// [xmark]" as "button: [x] close"), and runs of blanks inside a text (a missing label leaves
// two) as one. Only a control's face is named: text anywhere else is shown as written.
std::string asShown(std::string line) {
    for (const std::string_view control :
         {"button: [", "left bar button: [", "right bar button: ["}) {
        if (!line.starts_with(control)) continue;
        const std::string_view face = std::string_view(line).substr(control.size());
        for (const auto& [symbol, mark, words] : kSymbols) {
            if (face.starts_with(symbol) && face.substr(symbol.size()).starts_with(']')) {
                line = std::string(control.substr(0, control.size() - 1)) + std::string(mark) +
                       " " + std::string(words) + std::string(face.substr(symbol.size() + 1));
                break;
            }
        }
        break;
    }
    const auto indent = line.find_first_not_of(' ');
    if (indent == std::string::npos) return line;
    const auto blanks = [](char a, char b) { return a == ' ' && b == ' '; };
    line.erase(std::unique(line.begin() + static_cast<std::ptrdiff_t>(indent), line.end(), blanks),
               line.end());
    return line;
}

// A view's own snapshot lines, then its subviews' in reading order. A view's tree lists its
// own lines first, then its subviews' trees: its own are what the subviews do not account for.
// A web view's lines after its first (where it loads from) are its page's text, title and
// links: each line of them is set apart by the page mark, so that no page writes a line that
// reads as the host's own.
void appendInReadingOrder(const ViewPtr& view, std::vector<std::string>& lines) {
    if (view->isHidden()) return;
    {
        // Gone before the subviews are walked: one level at a time holds a copy of a page's text.
        std::vector<std::string> tree;
        view->appendSnapshotTree(tree);
        std::size_t theirs = 0;
        for (const auto& subview : view->subviews()) {
            std::vector<std::string> subtree;
            subview->appendSnapshotTree(subtree);
            theirs += subtree.size();
        }
        const auto own = std::prev(tree.end(), static_cast<std::ptrdiff_t>(theirs));
        if (std::dynamic_pointer_cast<platform::web::WebView>(view) && own != tree.begin()) {
            // A page's words as written, its address and failure on a line of the host's.
            lines.push_back(pageLineText(tree.front()));
            for (auto line = std::next(tree.begin()); line != own; ++line) {
                for (const auto piece : std::views::split(*line, '\n'))
                    lines.push_back(std::string(LineFitter::kPageMark) +
                                    std::string(std::string_view(piece)));
            }
        } else {
            std::transform(tree.begin(), own, std::back_inserter(lines), asShown);
        }
    }
    for (const auto& subview : readingOrder(view)) appendInReadingOrder(subview, lines);
}

// The screen's state, not its words: it waits on the service, or a page is loading or yet to
// be asked for (a screen shows its web view before it loads the page).
bool isBusy(const platform::ui::ViewControllerPtr& screen) {
    return ScreenDriver::waitsOnService(screen) ||
           std::ranges::any_of(onScreen<platform::web::WebView>(screen), [](const auto& web) {
               return web->isLoading() || (!web->page() && !web->lastError());
           });
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A control as a person names it: a glyph for what it shows, then its words.
struct Named {
    std::string mark;
    std::string name;
};

// What a symbol shows, as a person would name it; a symbol without words keeps its own name.
Named symbolName(const std::string& symbol) {
    for (const auto& [name, mark, words] : kSymbols) {
        if (name == symbol) return {std::string(mark), std::string(words)};
    }
    return {"", "[" + symbol + "]"};
}

// The field an image-only button sits beside, named for the help it gives.
std::optional<std::string> besideField(const ViewPtr& button) {
    auto* around = button->superview();
    for (int level = 0; around != nullptr && level < 2; ++level, around = around->superview()) {
        std::vector<std::shared_ptr<platform::ui::TextField>> fields;
        collect(around->shared_from_this(), fields);
        if (!fields.empty() && fields.front()->placeholder()) return fields.front()->placeholder();
    }
    return std::nullopt;
}

// The checkbox's own text: the label beside it, without its links; its state is its glyph.
Named checkboxText(const std::shared_ptr<components::CheckboxButton>& box) {
    std::vector<std::shared_ptr<components::LinksLabel>> labels;
    if (auto* around = box->superview()) collect(around->shared_from_this(), labels);
    std::string text;
    if (!labels.empty() && labels.front()->attributedText()) {
        for (const auto& run : labels.front()->attributedText()->runs()) {
            if (!run.attributes.link) text += run.text;
        }
    }
    text = trimmed(text);
    if (text.empty()) text = "checkbox";
    return {box->isChecked() ? "[x]" : "[ ]", text};
}

Named buttonName(const std::shared_ptr<platform::ui::Button>& button) {
    if (const auto box = std::dynamic_pointer_cast<components::CheckboxButton>(button))
        return checkboxText(box);
    if (const auto title = button->currentTitle(); title && !title->empty())
        return {"", asShown(*title)};
    const auto image = button->currentImage();
    auto named = symbolName(image ? image->name() : "button");
    if (const auto field = besideField(button)) named.name += " with " + *field;
    return named;
}

Named barButtonName(const platform::ui::BarButtonItem& item) {
    if (item.title() && !item.title()->empty()) return {"", asShown(*item.title())};
    return symbolName(item.image() ? item.image()->name() : "button");
}

bool isCloseButton(const platform::ui::BarButtonItem& item) {
    return item.image() && item.image()->name() == "xmark";
}

// Empties an editable field; a field that refuses deletion is left as it is.
void clearField(const std::shared_ptr<platform::ui::TextField>& field) {
    field->becomeFirstResponder();
    while (!field->text().empty()) {
        const auto before = field->text().size();
        field->deleteBackward();
        if (field->text().size() >= before) return;
    }
}

std::vector<std::shared_ptr<platform::ui::TextField>> editableFields(
    const platform::ui::ViewControllerPtr& screen) {
    auto fields = onScreen<platform::ui::TextField>(screen);
    std::erase_if(fields, [](const auto& field) { return !field->isEnabled(); });
    return fields;
}

}  // namespace

std::shared_ptr<ScreenDriver> ScreenDriver::make(std::shared_ptr<LineSource> answers,
                                                 std::ostream& out) {
    return std::make_shared<ScreenDriver>(Passkey{}, std::move(answers), out);
}

ScreenDriver::ScreenDriver(Passkey, std::shared_ptr<LineSource> answers, std::ostream& out)
    : answers_(std::move(answers)), out_(out) {}

ScreenDriver::~ScreenDriver() {
    if (ticking_) *ticking_ = false;
}

void ScreenDriver::start(Screens screens) {
    stop();
    if (const auto run = CommandRun::current()) {
        step_ = run->step([weakSelf = weak_from_this()] {
            if (const auto self = weakSelf.lock()) self->stop();
        });
        if (!step_) return;
    }
    screens_ = std::move(screens);
    running_ = true;
    ++run_;
    asking_ = false;
    followed_.reset();
    leaving_.reset();
    shown_.clear();
    seen_.clear();
    // A look at the screen on every tick; the screens' own work arrives through the main
    // queue in between.
    ticking_ = std::make_shared<std::atomic<bool>>(true);
    platform::Task<void>::detached([ticking = ticking_, weakSelf = weak_from_this()] {
        while (*ticking) {
            std::this_thread::sleep_for(kTick);
            platform::MainQueue::shared().async([ticking, weakSelf] {
                if (!*ticking) return;
                if (const auto self = weakSelf.lock()) self->step();
            });
        }
    });
}

void ScreenDriver::stop() {
    // What is said next starts a line of its own.
    if (std::exchange(midLine_, false)) out_ << std::endl;
    running_ = false;
    if (ticking_) *ticking_ = false;
    step_.reset();
}

std::optional<std::string> ScreenDriver::pageFailure(const platform::web::WebView& web) {
    if (web.isLoading()) return std::nullopt;
    if (web.lastError()) return pageLineText(web.lastError()->description());
    if (web.page() && web.page()->statusCode >= 400)
        return "the server answered HTTP " + std::to_string(web.page()->statusCode);
    return std::nullopt;
}

bool ScreenDriver::waitsOnService(const platform::ui::ViewControllerPtr& screen) {
    return std::ranges::any_of(onScreen<platform::ui::ActivityIndicatorView>(screen),
                               [](const auto& spinner) { return spinner->isAnimating(); }) ||
           std::ranges::any_of(onScreen<components::Button>(screen),
                               [](const auto& button) { return button->isLoading(); });
}

bool ScreenDriver::tapClose(const platform::ui::ViewControllerPtr& screen) {
    const auto& item = screen->navigationItem();
    for (const auto& bar : {item.leftBarButtonItem, item.rightBarButtonItem}) {
        if (bar && isCloseButton(*bar) && bar->tap()) return true;
    }
    return item.leftBarButtonItem && item.leftBarButtonItem->tap();
}

std::string ScreenDriver::render(const platform::ui::ViewControllerPtr& screen) {
    std::vector<std::string> lines;
    if (screen->navigationController()) {
        if (screen->title()) lines.push_back(asShown("title: " + *screen->title()));
        const auto& item = screen->navigationItem();
        if (const auto& left = item.leftBarButtonItem; left && !left->isHidden())
            lines.push_back(asShown("left bar button: " + left->description()));
        if (const auto& right = item.rightBarButtonItem; right && !right->isHidden())
            lines.push_back(asShown("right bar button: " + right->description()));
    }
    const auto view = screen->view();
    view->layoutIfNeeded();
    appendInReadingOrder(view, lines);
    if (const auto presented = screen->presentedViewController()) {
        lines.push_back("presented:");
        lines.push_back(render(presented));
    }
    // Each line as it was made shown: a page's words as written, in time linear in their size.
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += '\n';
    }
    if (!text.empty()) text.pop_back();
    return text;
}

ScreenDriver::Seen& ScreenDriver::seen(const platform::ui::ViewControllerPtr& screen) {
    std::erase_if(seen_, [](const Seen& each) { return each.screen.expired(); });
    const auto known =
        std::ranges::find_if(seen_, [&](const Seen& each) { return each.screen.lock() == screen; });
    if (known != seen_.end()) return *known;
    return seen_.emplace_back(Seen{.screen = screen});
}

void ScreenDriver::step() {
    if (asking_ || !running_) return;
    const auto screen = screens_.top ? screens_.top() : nullptr;
    if (!screen) return;
    // A page a followed link brought is shown even when it reads as the one before.
    const bool loaded = followedLoadEnded();
    const std::string snapshot = render(screen);
    if (snapshot != shown_ || loaded) {
        // Print each new state once, and wait a tick for it to settle before asking.
        shown_ = snapshot;
        out_ << "---\n";
        asking_ = true;
        printShown(0);
        return;
    }
    if (followed_ || leaving_.lock() == screen || isBusy(screen)) return;
    // A page that failed is not waited on: said, then closed.
    for (const auto& web : onScreen<platform::web::WebView>(screen)) {
        if (const auto failure = pageFailure(*web)) {
            out_ << "the page could not be loaded: " << *failure << std::endl;
            screens_.close(screen);
            return;
        }
    }
    // A screen with nothing to tap or type (one the flow is leaving) is not asked about.
    const auto& item = screen->navigationItem();
    if (!item.leftBarButtonItem && !item.rightBarButtonItem &&
        onScreen<platform::ui::Button>(screen).empty() &&
        onScreen<platform::ui::TextField>(screen).empty() &&
        onScreen<platform::web::WebView>(screen).empty()) {
        return;
    }
    asking_ = true;
    auto& state = seen(screen);
    if (state.fieldsAsked) {
        askChoice(screen);
        return;
    }
    state.fieldsAsked = true;
    auto fields = editableFields(screen);
    std::erase_if(fields, [](const auto& field) { return !field->text().empty(); });
    askFields(std::move(fields));
}

void ScreenDriver::printShown(std::size_t from) {
    auto end = std::min(shown_.size(), from + kPrintedAtOnce);
    if (end < shown_.size()) {
        // Cut after a line where the slice holds one's end, else between two characters.
        const auto slice = std::string_view(shown_).substr(from, end - from);
        if (const auto line = slice.rfind('\n'); line != std::string_view::npos)
            end = from + line + 1;
        while (end > from + 1 && (static_cast<unsigned char>(shown_[end]) & 0xC0) == 0x80) --end;
    }
    out_.write(shown_.data() + from, static_cast<std::streamsize>(end - from));
    if (end == shown_.size()) {
        midLine_ = false;
        out_ << std::endl;
        asking_ = false;
        return;
    }
    midLine_ = shown_[end - 1] != '\n';
    out_.flush();
    platform::MainQueue::shared().async([weakSelf = weak_from_this(), run = run_, end] {
        const auto self = weakSelf.lock();
        if (self && self->current(run)) self->printShown(end);
    });
}

bool ScreenDriver::followedLoadEnded() {
    if (!followed_) return false;
    const auto web = followed_->web.lock();
    if (web && web->isLoading()) return false;
    const Followed followed = *std::exchange(followed_, std::nullopt);
    if (!web) return false;
    if (web->loadsEnded() != followed.loadsEnded) return true;
    leaving_ = followed.screen;
    return false;
}

void ScreenDriver::askFields(std::vector<std::shared_ptr<platform::ui::TextField>> fields) {
    if (fields.empty()) {
        // The screen is shown again (with what it says about the answers) before the choice.
        asking_ = false;
        return;
    }
    const auto field = fields.front();
    fields.erase(fields.begin());
    out_ << field->placeholder().value_or("text") << "> " << std::flush;
    answers_->next([weakSelf = weak_from_this(), run = run_, field,
                    fields = std::move(fields)](std::optional<std::string> answer) mutable {
        const auto self = weakSelf.lock();
        if (!self || !self->current(run)) return;
        Interruptions::shared().answered();
        if (!answer) {
            self->asking_ = false;
            return;
        }
        if (ChoiceMenu::isClose(*answer)) {
            self->asking_ = false;
            if (const auto screen = self->screens_.top()) self->screens_.close(screen);
            return;
        }
        if (ChoiceMenu::isWord(*answer, "help")) {
            self->out_ << "type the " << field->placeholder().value_or("text")
                       << " and press Enter (an empty line leaves it empty); close, quit or "
                          "exit closes the screen"
                       << std::endl;
            fields.insert(fields.begin(), field);
            return self->askFields(std::move(fields));
        }
        if (!answer->empty()) {
            if (const auto note = typeWithNote(*field, *answer)) self->out_ << *note << std::endl;
        }
        self->askFields(std::move(fields));
    });
}

void ScreenDriver::askChoice(const platform::ui::ViewControllerPtr& screen) {
    const auto editable = editableFields(screen);
    // Why a disabled button cannot be tapped: on a form, what it waits for.
    const std::string waitsFor = editable.empty() ? "not available on this screen now"
                                                  : "fill in the fields above correctly first";
    std::vector<ChoiceMenu::Choice> choices;
    const auto& item = screen->navigationItem();
    for (const auto& bar : {item.leftBarButtonItem, item.rightBarButtonItem}) {
        if (!bar || bar->isHidden() || isCloseButton(*bar)) continue;  // ✕ is `close`
        auto named = barButtonName(*bar);
        choices.push_back({.control = bar.get(),
                           .name = std::move(named.name),
                           .act =
                               [weakBar = std::weak_ptr(bar)] {
                                   if (const auto bar = weakBar.lock()) bar->tap();
                               },
                           .mark = std::move(named.mark),
                           .unavailable = bar->isEnabled() ? std::nullopt
                                                           : std::optional<std::string>(waitsFor)});
    }
    const auto view = screen->view();
    view->layoutIfNeeded();
    walk(view, [&](const ViewPtr& each) {
        if (const auto field = std::dynamic_pointer_cast<platform::ui::TextField>(each)) {
            choices.push_back(
                {.control = field.get(),
                 .name = "edit " + field->placeholder().value_or("text"),
                 .act =
                     [weakSelf = weak_from_this(), weakField = std::weak_ptr(field)] {
                         const auto self = weakSelf.lock();
                         const auto field = weakField.lock();
                         if (!self || !field) return;
                         clearField(field);
                         self->asking_ = true;
                         self->askFields({field});
                     },
                 .unavailable = field->isEnabled()
                                    ? std::nullopt
                                    : std::optional<std::string>("it cannot be changed here")});
        } else if (const auto button = std::dynamic_pointer_cast<platform::ui::Button>(each)) {
            auto named = buttonName(button);
            choices.push_back({.control = button.get(),
                               .name = std::move(named.name),
                               .act =
                                   [weakButton = std::weak_ptr(button)] {
                                       if (const auto button = weakButton.lock()) button->tap();
                                   },
                               .mark = std::move(named.mark),
                               .unavailable = button->isEnabled()
                                                  ? std::nullopt
                                                  : std::optional<std::string>(waitsFor)});
        } else if (const auto label = std::dynamic_pointer_cast<components::LinksLabel>(each)) {
            for (const auto& link : label->links()) {
                choices.push_back({.control = label.get(),
                                   .target = link.string,
                                   .name = link.string,
                                   .act = [weakLabel = std::weak_ptr(label), text = link.string] {
                                       if (const auto label = weakLabel.lock())
                                           label->tapLink(text);
                                   }});
            }
        } else if (const auto web = std::dynamic_pointer_cast<platform::web::WebView>(each)) {
            if (!web->page()) return;
            // Links that share a text are told apart by their place among those that do, so
            // each keeps its number when the page is shown again.
            const auto& links = web->page()->links;
            // A choice holds its link's place, not its address: a page may have many thousands,
            // each resolved only when followed. The page listed is told by the loads ended, as
            // another page arrives only with the next one.
            const auto shownAt = web->loadsEnded();
            std::unordered_map<std::string_view, std::size_t> sameText;
            for (std::size_t index = 0; index < links.size(); ++index) {
                const std::string text(links.text(index));
                const auto before = sameText[links.text(index)]++;
                choices.push_back(
                    {.control = web.get(),
                     .target = before == 0 ? text : text + '\0' + std::to_string(before),
                     .name = text,
                     .fromPage = true,
                     .act = [weakSelf = weak_from_this(), weakWeb = std::weak_ptr(web),
                             weakScreen = std::weak_ptr(screen), index, shownAt] {
                         const auto self = weakSelf.lock();
                         const auto web = weakWeb.lock();
                         if (!self || !web) return;
                         if (web->loadsEnded() != shownAt || !web->page() ||
                             index >= web->page()->links.size()) {
                             self->out_ << "the page has changed since its links were listed: "
                                           "nothing was followed"
                                        << std::endl;
                             return;
                         }
                         self->followed_ = Followed{web, web->loadsEnded(), weakScreen};
                         web->navigate(web->page()->links[index].url);
                     }});
            }
        }
    });
    seen(screen).menu.list(out_, "choose:", std::move(choices));
    listRest(screen, editable.empty() ? "close" : "close, clear");
}

void ScreenDriver::listRest(const platform::ui::ViewControllerPtr& screen, std::string_view words) {
    if (seen(screen).menu.printMore(out_, kListedAtOnce, words)) return awaitChoice(screen);
    platform::MainQueue::shared().async(
        [weakSelf = weak_from_this(), run = run_, weakScreen = std::weak_ptr(screen), words] {
            const auto self = weakSelf.lock();
            if (!self || !self->current(run)) return;
            const auto screen = weakScreen.lock();
            if (!screen) {
                self->asking_ = false;
                return;
            }
            self->listRest(screen, words);
        });
}

void ScreenDriver::awaitChoice(const platform::ui::ViewControllerPtr& screen) {
    answers_->next([weakSelf = weak_from_this(), run = run_,
                    weakScreen = std::weak_ptr(screen)](std::optional<std::string> answer) {
        const auto self = weakSelf.lock();
        if (!self || !self->current(run)) return;
        Interruptions::shared().answered();
        self->asking_ = false;
        const auto screen = weakScreen.lock();
        if (!screen) return;
        if (!answer) self->out_ << "(no more answers: closing)" << std::endl;
        if (!answer || ChoiceMenu::isClose(*answer)) return self->screens_.close(screen);
        if (ChoiceMenu::isWord(*answer, "help")) {
            // Listed again at the next look.
            self->out_ << "type a number or a name from the list; close, quit or exit closes "
                          "the screen"
                       << (editableFields(screen).empty() ? "" : "; clear empties the fields")
                       << std::endl;
            return;
        }
        if (ChoiceMenu::isWord(*answer, "clear")) {
            for (const auto& field : editableFields(screen)) clearField(field);
            self->seen(screen).fieldsAsked = false;
            return;
        }
        self->seen(screen).menu.choose(self->out_, *answer);
    });
}

}  // namespace corvend::cli
