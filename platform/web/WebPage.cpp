#include "platform/web/WebPage.hpp"

#include <gumbo.h>
#include <strings.h>

#include <algorithm>
#include <new>
#include <utility>
#include <vector>

#include "platform/http/URLSession.hpp"
#include "platform/web/GumboTree.hpp"
#include "platform/web/PageEncoding.hpp"
#include "platform/web/ReadBudget.hpp"

namespace corvend::platform::web {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

const GumboVector& childrenOf(const GumboNode& node) {
    return node.type == GUMBO_NODE_DOCUMENT ? node.v.document.children : node.v.element.children;
}

bool holdsChildren(const GumboNode& node) {
    return node.type == GUMBO_NODE_DOCUMENT || node.type == GUMBO_NODE_ELEMENT ||
           node.type == GUMBO_NODE_TEMPLATE;
}

GumboNode* child(const GumboNode& node, unsigned index) {
    return static_cast<GumboNode*>(childrenOf(node).data[index]);
}

// The node after `node` in document order once its children are done (or skipped), and calls
// `leave` for each element this climbs out of; null after the last. Climbs by parent links, so
// that a walk needs no memory of its own however deep the page nests.
template <class Leave>
GumboNode* nextAfter(GumboNode* node, Leave&& leave) {
    while (node->parent) {
        GumboNode* parent = node->parent;
        const unsigned next = node->index_within_parent + 1;
        if (next < childrenOf(*parent).length) return child(*parent, next);
        node = parent;
        if (node->type != GUMBO_NODE_DOCUMENT) leave(*node);
    }
    return nullptr;
}

// Calls `visit` on every node below the document in document order; an element for which it
// returns false is left without its children, and one for which it returns true is passed to
// `leave` after them. Iterative: a page of millions of nested tags is walked in
// constant stack. Stops at the budget's stop.
template <class Visit, class Leave>
void walk(GumboNode& document, ReadBudget& budget, Visit&& visit, Leave&& leave) {
    GumboNode* node = childrenOf(document).length > 0 ? child(document, 0) : nullptr;
    while (node) {
        budget.check();
        const bool entered = visit(*node) && holdsChildren(*node);
        if (entered && childrenOf(*node).length > 0) {
            node = child(*node, 0);
            continue;
        }
        if (entered) leave(*node);
        node = nextAfter(node, leave);
    }
}

// Collects shown text, blanks collapsed, into the current line.
class TextCollector {
  public:
    void add(std::string_view text) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            // A no-break space shows as a blank.
            const bool noBreak = c == '\xC2' && i + 1 < text.size() && text[i + 1] == '\xA0';
            if (isSpace(c) || noBreak) {
                pendingSpace_ = !current_.empty();
                if (noBreak) ++i;
            } else {
                if (pendingSpace_) current_ += ' ';
                pendingSpace_ = false;
                current_ += c;
            }
        }
    }
    // Blanks the next text off from what came before, as a table's cells are.
    void separate() { pendingSpace_ = !current_.empty(); }
    // Adds words of the reader's own where the page's stand: a blank the page had there still
    // stands after them.
    void addAside(std::string_view text) {
        const bool blankAfter = pendingSpace_;
        add(text);
        pendingSpace_ = pendingSpace_ || blankAfter;
    }
    std::string_view current() const { return current_; }
    void clear() {
        current_.clear();
        pendingSpace_ = false;
    }
    // Ends the line, adding it to `lines` unless it is empty.
    void breakLine(TextList& lines) {
        if (!current_.empty()) lines.push_back(current_);
        clear();
    }

  private:
    std::string current_;
    bool pendingSpace_ = false;
};

bool isHTML(const GumboNode& node, GumboTag tag) {
    return (node.type == GUMBO_NODE_ELEMENT || node.type == GUMBO_NODE_TEMPLATE) &&
           node.v.element.tag == tag && node.v.element.tag_namespace == GUMBO_NAMESPACE_HTML;
}

// The tag name of an element of SVG or MathML, as the page wrote it when Gumbo knows no tag of
// that name.
std::string_view foreignName(const GumboElement& element) {
    if (element.tag != GUMBO_TAG_UNKNOWN) return gumbo_normalized_tagname(element.tag);
    GumboStringPiece name = element.original_tag;
    gumbo_tag_from_original_text(&name);
    return {name.data, name.length};
}

// What an SVG or MathML drawing holds that browsers never draw: its styles, scripts, and the
// titles, descriptions and data written for tools.
bool isUndrawnForeign(const GumboElement& element) {
    const std::string_view name = foreignName(element);
    for (const std::string_view undrawn : {"style", "script", "title", "desc", "metadata"}) {
        if (name.size() == undrawn.size() &&
            strncasecmp(name.data(), undrawn.data(), name.size()) == 0) {
            return true;
        }
    }
    return false;
}

// Elements a browser never draws (its default style sheet hides them, or they hold no text
// of the page); with scripting off a <noscript> is drawn.
bool isHidden(const GumboElement& element) {
    if (gumbo_get_attribute(&element.attributes, "hidden")) return true;
    if (element.tag_namespace != GUMBO_NAMESPACE_HTML) return isUndrawnForeign(element);
    switch (element.tag) {
        case GUMBO_TAG_HEAD:
        case GUMBO_TAG_TITLE:
        case GUMBO_TAG_SCRIPT:
        case GUMBO_TAG_STYLE:
        case GUMBO_TAG_NOEMBED:
        case GUMBO_TAG_NOFRAMES:
        case GUMBO_TAG_IFRAME:
        case GUMBO_TAG_AREA:
        case GUMBO_TAG_BASE:
        case GUMBO_TAG_BASEFONT:
        case GUMBO_TAG_DATALIST:
        case GUMBO_TAG_LINK:
        case GUMBO_TAG_META:
        case GUMBO_TAG_PARAM:
        case GUMBO_TAG_RP:
            return true;
        default:
            return false;
    }
}

// Elements drawn as blocks: each starts and ends a line.
bool isBlock(GumboTag tag) {
    switch (tag) {
        case GUMBO_TAG_ADDRESS:
        case GUMBO_TAG_ARTICLE:
        case GUMBO_TAG_ASIDE:
        case GUMBO_TAG_BLOCKQUOTE:
        case GUMBO_TAG_BODY:
        case GUMBO_TAG_BR:
        case GUMBO_TAG_CAPTION:
        case GUMBO_TAG_CENTER:
        case GUMBO_TAG_DD:
        case GUMBO_TAG_DETAILS:
        case GUMBO_TAG_DIR:
        case GUMBO_TAG_DIV:
        case GUMBO_TAG_DL:
        case GUMBO_TAG_DT:
        case GUMBO_TAG_FIELDSET:
        case GUMBO_TAG_FIGCAPTION:
        case GUMBO_TAG_FIGURE:
        case GUMBO_TAG_FOOTER:
        case GUMBO_TAG_FORM:
        case GUMBO_TAG_H1:
        case GUMBO_TAG_H2:
        case GUMBO_TAG_H3:
        case GUMBO_TAG_H4:
        case GUMBO_TAG_H5:
        case GUMBO_TAG_H6:
        case GUMBO_TAG_HEADER:
        case GUMBO_TAG_HGROUP:
        case GUMBO_TAG_HR:
        case GUMBO_TAG_LEGEND:
        case GUMBO_TAG_LI:
        case GUMBO_TAG_LISTING:
        case GUMBO_TAG_MAIN:
        case GUMBO_TAG_MENU:
        case GUMBO_TAG_NAV:
        case GUMBO_TAG_OL:
        case GUMBO_TAG_P:
        case GUMBO_TAG_PLAINTEXT:
        case GUMBO_TAG_PRE:
        case GUMBO_TAG_SECTION:
        case GUMBO_TAG_SUMMARY:
        case GUMBO_TAG_TABLE:
        case GUMBO_TAG_TR:
        case GUMBO_TAG_UL:
        case GUMBO_TAG_XMP:
            return true;
        default:
            return false;
    }
}

// What the document says of itself: the text of its first HTML <title>, blanks collapsed, and
// the address of its first <base href>, as written.
struct Head {
    std::optional<std::string> title;
    std::optional<std::string_view> base;
};

Head headOf(GumboNode& document, ReadBudget& budget) {
    Head head;
    bool titleFound = false;
    walk(
        document, budget,
        [&](GumboNode& node) {
            // A <template>'s content is no part of the document.
            if ((titleFound && head.base) || node.type == GUMBO_NODE_TEMPLATE) return false;
            if (!head.base && isHTML(node, GUMBO_TAG_BASE)) {
                if (const auto* href = gumbo_get_attribute(&node.v.element.attributes, "href")) {
                    head.base = href->value;
                }
            }
            if (titleFound || !isHTML(node, GUMBO_TAG_TITLE)) return true;
            titleFound = true;
            TextCollector text;
            for (unsigned i = 0; i < node.v.element.children.length; ++i) {
                const GumboNode& part = *child(node, i);
                if (part.type == GUMBO_NODE_TEXT || part.type == GUMBO_NODE_WHITESPACE) {
                    text.add(part.v.text.text);
                }
            }
            budget.keep(text.current().size());
            if (!text.current().empty()) head.title = std::string(text.current());
            return false;
        },
        [](GumboNode&) {});
    return head;
}

// The document's base address: its <base href> resolved against its own address, as browsers
// take it; the page's address when there is none, or it does not resolve (a script's or data's
// address among them).
URL baseOf(const URL& page, std::optional<std::string_view> href) {
    auto base = href ? LinkList::resolve(*href, page) : std::nullopt;
    return base ? std::move(*base) : page;
}

// Reads the shown text and the links of the body, in document order, and counts what the page
// keeps of them.
class PageReader {
  public:
    PageReader(WebPage& page, ReadBudget& budget) : page_(page), budget_(budget) {}
    ~PageReader() { budget_.give(indexBytes_); }
    PageReader(const PageReader&) = delete;
    PageReader& operator=(const PageReader&) = delete;

    bool visit(GumboNode& node) {
        switch (node.type) {
            case GUMBO_NODE_TEXT:
            case GUMBO_NODE_WHITESPACE:
            case GUMBO_NODE_CDATA:
                addText(node.v.text.text);
                return false;
            case GUMBO_NODE_ELEMENT:
                break;
            default:  // comments; a <template>'s content is never drawn
                return false;
        }
        const GumboElement& element = node.v.element;
        if (isHidden(element)) return false;
        const bool html = element.tag_namespace == GUMBO_NAMESPACE_HTML;
        if (html && isBlock(element.tag)) breakLine();
        if (html && (element.tag == GUMBO_TAG_TD || element.tag == GUMBO_TAG_TH)) separate();
        if (html && element.tag == GUMBO_TAG_A) {
            if (const GumboAttribute* href = gumbo_get_attribute(&element.attributes, "href")) {
                open(*href);
            }
        }
        return true;
    }

    void leave(GumboNode& node) {
        const GumboElement& element = node.v.element;
        if (element.tag_namespace != GUMBO_NAMESPACE_HTML) return;
        if (element.tag == GUMBO_TAG_A && gumbo_get_attribute(&element.attributes, "href")) {
            close();
        }
        if (isBlock(element.tag)) breakLine();
    }

    // After the walk, which has left every element it entered: links with no end tag of
    // their own included, ended where the parser ended them.
    void finish() { text_.breakLine(page_.lines); }

  private:
    // A link of the outermost link open (that one first), in page order.
    struct Link {
        std::optional<std::size_t> target;     // among the page's links' targets, when followable
        std::optional<std::string_view> note;  // the address to name in the text, when not
        std::string text;
    };
    // A link whose end has not been met: where it stands among them, and its words so far.
    struct OpenLink {
        std::size_t index = 0;
        TextCollector text;
    };

    // A block's words stand apart from the words around them, in a link's text too.
    void breakLine() {
        if (!text_.current().empty()) budget_.keep(kBookkeeping);
        text_.breakLine(page_.lines);
        if (!links_.empty()) links_.back().text.separate();
    }
    void separate() {
        text_.separate();
        if (!links_.empty()) links_.back().text.separate();
    }

    void addText(std::string_view text) {
        // With a blank before them at most; inside a link they are kept twice, in its line and as
        // its words.
        budget_.keep((links_.empty() ? 1 : 2) * (text.size() + 1));
        text_.add(text);
        // The words belong to the innermost link: the one a person's tap on them follows.
        if (!links_.empty()) links_.back().text.add(text);
    }

    void open(const GumboAttribute& href) {
        // The parser re-opens a link in each block after it until its end, address and all: a
        // copy that cannot be followed stands where the first does in the page, its note named
        // once there.
        const char* source = href.original_value.data;
        const bool reopened = source && source == std::exchange(source_, source);
        const std::string_view written = href.value;
        Link link;
        // Each distinct target is kept and counted once, however many links lead to it.
        if (const auto known = page_.links.findTarget(written)) {
            link.target = known;
        } else if (!reopened) {
            const auto url = LinkList::resolve(written, page_.links.base());
            // One longer than the view loads is never offered.
            const bool followable = url && (url->scheme() == "http" || url->scheme() == "https") &&
                                    url->absoluteString().size() <= URLSession::kMaximumURLLength;
            if (followable) {
                // At the larger of what it says and what it leads to, a same-page link at what it
                // says: it is resolved only when read.
                const std::size_t counted =
                    leadsHere(written) ? written.size()
                                       : std::max(written.size(), url->absoluteString().size());
                budget_.keep(counted + kBookkeeping);
                // Finding it again takes memory for the read only.
                if (!budget_.take(LinkList::kIndexBytes)) budget_.fail(ReadBudget::Reason::memory);
                indexBytes_ += LinkList::kIndexBytes;
                link.target = page_.links.addTarget(written);
            } else {
                link.note = written;
            }
        }
        nested_.push_back(link);
        links_.push_back(OpenLink{nested_.size() - 1, {}});
    }

    // Whether `href` names a place in the page itself (a fragment alone), read as browsers read
    // an address: from its first character that is no control or blank.
    static bool leadsHere(std::string_view href) {
        const auto first =
            std::ranges::find_if(href, [](char c) { return static_cast<unsigned char>(c) > 0x20; });
        return first != href.end() && *first == '#';
    }

    void close() {
        const OpenLink ended = std::move(links_.back());
        links_.pop_back();
        Link& link = nested_[ended.index];
        link.text = ended.text.current();
        if (link.note) {
            // A person sees why the words lead nowhere; blanks after the address would stand
            // before the ")".
            std::string_view target = *link.note;
            while (!target.empty() && isSpace(target.back())) target.remove_suffix(1);
            constexpr std::string_view kNote = " (a link that cannot be followed: ";
            budget_.keep(kNote.size() + target.size() + 2);
            text_.addAside(std::string(kNote).append(target) + ")");
        }
        // Links inside another are listed once the outermost one ends, in the order they began.
        if (!links_.empty()) return;
        for (const Link& each : nested_) {
            if (!each.target) continue;
            budget_.keep(2 * kBookkeeping);
            page_.links.push_back(*each.target, each.text);
        }
        nested_.clear();
    }

    // A text list's bytes per text.
    static constexpr std::size_t kBookkeeping = 4;

    WebPage& page_;
    ReadBudget& budget_;
    TextCollector text_;
    std::vector<Link> nested_;
    std::vector<OpenLink> links_;
    // Where the address of the link opened last stands in the page.
    const char* source_ = nullptr;
    std::size_t indexBytes_ = 0;  // held for finding the targets by their text
};

}  // namespace

WebPage::Limits WebPage::limitsFor(std::size_t pageBytes) {
    return {28 * pageBytes + (std::size_t{64} << 20), std::chrono::seconds(10),
            6 * pageBytes + (std::size_t{64} << 10)};
}

namespace {

std::chrono::nanoseconds threadCPUTime() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

// Reads `html` (UTF-8) within `limits`, of which `held` bytes are already held.
WebPage read(URL url, int statusCode, std::string_view html, const WebPage::Limits& limits,
             std::size_t held = 0);

// Reads `html` written in `encoding`: within `given`, else within the kit's limits for its
// bytes while it is decoded and then for its decoded text.
WebPage decodeAndRead(URL url, int statusCode, std::string_view html, const PageEncoding& encoding,
                      const WebPage::Limits* given) {
    const WebPage::Limits forBytes = given ? *given : WebPage::limitsFor(html.size());
    if (encoding.isUTF8()) {
        return read(std::move(url), statusCode, html.substr(encoding.markBytes()), forBytes);
    }
    const auto started = threadCPUTime();
    const PageEncoding::Text text = [&] {
        ReadBudget budget(forBytes);
        return encoding.decode(html, budget);
    }();
    WebPage::Limits forText = given ? *given : WebPage::limitsFor(text.view().size());
    // One read's CPU time, the decoding's included.
    forText.cpuTime = forBytes.cpuTime - (threadCPUTime() - started);
    return read(std::move(url), statusCode, text.view(), forText, text.view().size());
}

}  // namespace

WebPage WebPage::parse(URL url, int statusCode, std::string_view html,
                       std::optional<std::string_view> contentType) {
    return decodeAndRead(std::move(url), statusCode, html, PageEncoding::of(html, contentType),
                         nullptr);
}

WebPage WebPage::parse(URL url, int statusCode, std::string_view html, const Limits& limits,
                       std::optional<std::string_view> contentType) {
    return decodeAndRead(std::move(url), statusCode, html, PageEncoding::of(html, contentType),
                         &limits);
}

namespace {

WebPage read(URL url, int statusCode, std::string_view html, const WebPage::Limits& limits,
             std::size_t held) {
    ReadBudget budget(limits);
    if (!budget.take(held)) budget.fail(ReadBudget::Reason::memory);
    const GumboTree tree(html, budget);
    try {
        Head head = headOf(tree.document(), budget);
        LinkList links(baseOf(url, head.base));
        budget.keep(links.base().absoluteString().size());
        WebPage page{std::move(url), statusCode, std::move(head.title), {}, std::move(links)};
        PageReader reader(page, budget);
        walk(
            tree.document(), budget, [&](GumboNode& node) { return reader.visit(node); },
            [&](GumboNode& node) { reader.leave(node); });
        reader.finish();
        page.lines.shrinkToFit();
        page.links.shrinkToFit();
        return page;
    } catch (const std::bad_alloc&) {
        budget.fail(ReadBudget::Reason::noMemory);
    }
}

}  // namespace

}  // namespace corvend::platform::web
