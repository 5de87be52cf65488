#include "platform/web/WebPage.hpp"

#include <algorithm>
#include <array>
#include <utility>

namespace corvend::platform::web {

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// `needle` is lower-case ASCII.
bool startsWithIgnoringCase(std::string_view text, std::string_view needle) {
    return text.size() >= needle.size() &&
           std::ranges::equal(text.substr(0, needle.size()), needle,
                              [](char a, char b) { return lower(a) == b; });
}

// Where `needle` (lower-case ASCII, a few letters) first appears at or after `from`, in any
// letter case. Linear in the text: nothing is copied.
std::size_t findIgnoringCase(std::string_view text, std::string_view needle, std::size_t from) {
    for (std::size_t at = from; at + needle.size() <= text.size(); ++at) {
        if (lower(text[at]) == needle.front() && startsWithIgnoringCase(text.substr(at), needle))
            return at;
    }
    return std::string_view::npos;
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// Appends `text` with the named and numeric references pages commonly use decoded; others stay
// as written.
void decodeEntities(std::string_view text, std::string& out) {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kNamed{{
        {"&amp;", "&"},
        {"&lt;", "<"},
        {"&gt;", ">"},
        {"&quot;", "\""},
        {"&#39;", "'"},
        {"&nbsp;", " "},
    }};
    for (std::size_t i = 0; i < text.size();) {
        bool replaced = false;
        if (text[i] == '&') {
            for (const auto& [entity, value] : kNamed) {
                if (text.substr(i, entity.size()) == entity) {
                    out += value;
                    i += entity.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced) out += text[i++];
    }
}

// The value of attribute `name` (lower-case) inside a tag's text ("a href='x' class=y"), if
// present.
std::optional<std::string> attribute(std::string_view tag, std::string_view name) {
    std::size_t at = 0;
    while ((at = findIgnoringCase(tag, name, at)) != std::string_view::npos) {
        const bool startsWord = at > 0 && isSpace(tag[at - 1]);
        std::size_t i = at + name.size();
        at = i;
        if (!startsWord) continue;
        while (i < tag.size() && isSpace(tag[i])) ++i;
        if (i >= tag.size() || tag[i] != '=') continue;
        ++i;
        while (i < tag.size() && isSpace(tag[i])) ++i;
        std::string value;
        if (i >= tag.size()) return value;
        const char quote = tag[i];
        if (quote == '"' || quote == '\'') {
            const std::size_t end = tag.find(quote, i + 1);
            decodeEntities(tag.substr(i + 1, end == std::string_view::npos ? std::string_view::npos
                                                                           : end - i - 1),
                           value);
            return value;
        }
        std::size_t end = i;
        while (end < tag.size() && !isSpace(tag[end]) && tag[end] != '>') ++end;
        decodeEntities(tag.substr(i, end - i), value);
        return value;
    }
    return std::nullopt;
}

bool isBlock(std::string_view name) {
    static constexpr std::array<std::string_view, 22> kBlocks{
        "p",  "div", "br", "h1",    "h2",    "h3",   "h4",      "h5",   "h6",     "li",     "ul",
        "ol", "tr",  "hr", "table", "title", "body", "section", "form", "header", "footer", "main"};
    return std::ranges::find(kBlocks, name) != kBlocks.end();
}

// Collects shown text, blanks collapsed, into the current line.
class TextCollector {
  public:
    void add(std::string_view text) {
        for (const char c : text) {
            if (isSpace(c)) {
                pendingSpace_ = !current_.empty();
            } else {
                if (pendingSpace_) current_ += ' ';
                pendingSpace_ = false;
                current_ += c;
            }
        }
    }
    // The line so far; clear() ends it.
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

}  // namespace

WebPage WebPage::parse(URL url, int statusCode, std::string_view html) {
    LinkList links(url);
    WebPage page{std::move(url), statusCode, std::nullopt, {}, std::move(links)};
    TextCollector text;
    TextCollector title;
    TextCollector linkText;
    bool inTitle = false;
    // Inside <a>: its target as written, and whether it can be followed.
    struct OpenLink {
        std::optional<std::string> target;
        bool followable = false;
    };
    std::optional<OpenLink> openLink;
    std::string shown;
    std::string name;

    std::size_t i = 0;
    while (i < html.size()) {
        if (html[i] != '<') {
            const std::size_t end = std::min(html.find('<', i), html.size());
            shown.clear();
            decodeEntities(html.substr(i, end - i), shown);
            (inTitle ? title : text).add(shown);
            if (openLink) linkText.add(shown);
            i = end;
            continue;
        }
        if (html.substr(i, 4) == "<!--") {
            const std::size_t end = html.find("-->", i + 4);
            i = end == std::string_view::npos ? html.size() : end + 3;
            continue;
        }
        const std::size_t close = html.find('>', i);
        const std::string_view tag =
            html.substr(i + 1, (close == std::string_view::npos ? html.size() : close) - i - 1);
        i = close == std::string_view::npos ? html.size() : close + 1;

        const bool closing = !tag.empty() && tag.front() == '/';
        std::size_t nameEnd = closing ? 1 : 0;
        while (nameEnd < tag.size() && !isSpace(tag[nameEnd]) && tag[nameEnd] != '/') ++nameEnd;
        name.assign(tag.substr(closing ? 1 : 0, nameEnd - (closing ? 1 : 0)));
        std::ranges::transform(name, name.begin(), lower);

        if (!closing && (name == "script" || name == "style")) {
            // Never run, never shown: skipped up to its end tag, searched from here on only.
            const std::string endTag = "</" + name;
            const std::size_t end = findIgnoringCase(html, endTag, i);
            i = end == std::string_view::npos ? html.size() : end;
            continue;
        }
        if (name == "title") {
            inTitle = !closing;
            if (closing && page.title == std::nullopt && !title.current().empty()) {
                page.title = std::string(title.current());
            }
            if (closing) title.clear();
            continue;
        }
        if (name == "a") {
            if (!closing) {
                std::optional<std::string> target = attribute(tag, "href");
                const bool followable = target && LinkList::resolve(*target, page.url);
                linkText.clear();
                openLink = OpenLink{std::move(target), followable};
            } else if (openLink) {
                if (openLink->followable) {
                    page.links.push_back(*openLink->target, linkText.current());
                } else if (openLink->target) {
                    // A person sees why the words lead nowhere; blanks after the address
                    // would stand before the ")".
                    std::string_view target = *openLink->target;
                    while (!target.empty() && isSpace(target.back())) target.remove_suffix(1);
                    text.add(" (a link that cannot be followed: ");
                    text.add(target);
                    text.add(")");
                }
                linkText.clear();
                openLink.reset();
            }
            continue;
        }
        if (isBlock(name)) text.breakLine(page.lines);
    }
    text.breakLine(page.lines);
    page.lines.shrinkToFit();
    page.links.shrinkToFit();
    return page;
}

}  // namespace corvend::platform::web
