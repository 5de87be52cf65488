#include "platform/web/WebPage.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

#include "platform/url/URLComponents.hpp"

namespace corvend::platform::web {

namespace {

std::string lowered(std::string_view text) {
    std::string out(text);
    std::ranges::transform(out, out.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// The named and numeric references pages commonly use; others stay as written.
std::string decodeEntities(std::string_view text) {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kNamed{{
        {"&amp;", "&"},
        {"&lt;", "<"},
        {"&gt;", ">"},
        {"&quot;", "\""},
        {"&#39;", "'"},
        {"&nbsp;", " "},
    }};
    std::string out;
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
    return out;
}

// The value of attribute `name` inside a tag's text ("a href='x' class=y"), if present.
std::optional<std::string> attribute(std::string_view tag, std::string_view name) {
    const std::string lower = lowered(tag);
    std::size_t at = 0;
    while ((at = lower.find(name, at)) != std::string::npos) {
        const bool startsWord = at > 0 && isSpace(lower[at - 1]);
        std::size_t i = at + name.size();
        at = i;
        if (!startsWord) continue;
        while (i < tag.size() && isSpace(tag[i])) ++i;
        if (i >= tag.size() || tag[i] != '=') continue;
        ++i;
        while (i < tag.size() && isSpace(tag[i])) ++i;
        if (i >= tag.size()) return std::string();
        const char quote = tag[i];
        if (quote == '"' || quote == '\'') {
            const std::size_t end = tag.find(quote, i + 1);
            return decodeEntities(tag.substr(
                i + 1, end == std::string_view::npos ? std::string_view::npos : end - i - 1));
        }
        std::size_t end = i;
        while (end < tag.size() && !isSpace(tag[end]) && tag[end] != '>') ++end;
        return decodeEntities(tag.substr(i, end - i));
    }
    return std::nullopt;
}

bool isBlock(std::string_view name) {
    static constexpr std::array<std::string_view, 22> kBlocks{
        "p",  "div", "br", "h1",    "h2",    "h3",   "h4",      "h5",   "h6",     "li",     "ul",
        "ol", "tr",  "hr", "table", "title", "body", "section", "form", "header", "footer", "main"};
    return std::ranges::find(kBlocks, name) != kBlocks.end();
}

// Collects shown text into lines, blanks collapsed.
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
    void breakLine() {
        if (!current_.empty()) lines_.push_back(std::move(current_));
        current_.clear();
        pendingSpace_ = false;
    }
    std::string take() {
        std::string out = std::move(current_);
        current_.clear();
        pendingSpace_ = false;
        return out;
    }
    std::vector<std::string> finish() {
        breakLine();
        return std::move(lines_);
    }

  private:
    std::vector<std::string> lines_;
    std::string current_;
    bool pendingSpace_ = false;
};

}  // namespace

WebPage WebPage::parse(URL url, int statusCode, std::string_view html) {
    WebPage page{std::move(url), statusCode, std::nullopt, {}, {}};
    TextCollector text;
    TextCollector title;
    TextCollector linkText;
    bool inTitle = false;
    std::optional<std::optional<URL>> openLink;  // inside <a>: its target, if usable

    std::size_t i = 0;
    while (i < html.size()) {
        if (html[i] != '<') {
            const std::size_t end = std::min(html.find('<', i), html.size());
            const std::string shown = decodeEntities(html.substr(i, end - i));
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
        const std::string name = lowered(tag.substr(closing ? 1 : 0, nameEnd - (closing ? 1 : 0)));

        if (!closing && (name == "script" || name == "style")) {
            // Never run, never shown.
            const std::size_t end = lowered(html.substr(i)).find("</" + name);
            i = end == std::string::npos ? html.size() : i + end;
            continue;
        }
        if (name == "title") {
            inTitle = !closing;
            if (closing && page.title == std::nullopt) {
                if (std::string shown = title.take(); !shown.empty()) page.title = std::move(shown);
            }
            continue;
        }
        if (name == "a") {
            if (!closing) {
                std::optional<URL> target;
                if (const auto href = attribute(tag, "href")) {
                    if (const auto reference = URLComponents::parse(*href)) {
                        target = reference->url(page.url);
                    }
                }
                linkText.take();
                openLink = target;
            } else if (openLink) {
                if (*openLink) page.links.push_back({linkText.take(), std::move(**openLink)});
                openLink.reset();
            }
            continue;
        }
        if (isBlock(name)) text.breakLine();
    }
    page.lines = text.finish();
    return page;
}

}  // namespace corvend::platform::web
