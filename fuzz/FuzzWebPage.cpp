#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "fuzz/FuzzCheck.hpp"
#include "platform/http/URLError.hpp"
#include "platform/http/URLSession.hpp"
#include "platform/url/URL.hpp"
#include "platform/web/WebPage.hpp"

namespace {

using corvend::platform::URL;
using corvend::platform::URLError;
using corvend::platform::URLSession;
using corvend::platform::web::WebPage;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// Shown text: blanks collapsed to single spaces, none at either end.
bool isCollapsed(std::string_view text) {
    if (!text.empty() && (text.front() == ' ' || text.back() == ' ')) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != ' ' && isBlank(text[i])) return false;
        if (text[i] == ' ' && i + 1 < text.size() && text[i + 1] == ' ') return false;
    }
    return true;
}

}  // namespace

// Input: a page's bytes, as a server may send them. A first byte below the number of declared
// types picks the reply's Content-Type (and is no part of the page): legacy encodings, single-
// and multi-byte and stateful, UTF-16, and labels no browser decodes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const URL base = *URL::make("https://issuer.example/acs/page");
    static constexpr std::array<std::string_view, 14> kDeclared = {
        "text/html",
        "text/html; charset=windows-1251",
        "text/html; charset=\"Shift_JIS\"",
        "text/html;charset=gb18030",
        "text/html; charset=big5",
        "text/html; charset=euc-jp",
        "text/html; charset=iso-2022-jp",
        "text/html; charset=euc-kr",
        "text/html; charset=koi8-u",
        "text/html; charset=utf-16le",
        "text/html; charset=utf-16be",
        "text/html; charset=iso-2022-kr",
        "text/html; charset=x-user-defined",
        "text/html; charset=utf-8",
    };
    std::string_view html(reinterpret_cast<const char*>(data), size);
    std::optional<std::string_view> contentType;
    if (!html.empty() && static_cast<unsigned char>(html.front()) < kDeclared.size()) {
        contentType = kDeclared[static_cast<unsigned char>(html.front())];
        html.remove_prefix(1);
    }
    std::optional<WebPage> read;
    try {
        read = WebPage::parse(base, 200, html, contentType);
    } catch (const URLError& error) {
        // A page past the reader's limits ends with its named error, never a crash.
        FUZZ_CHECK(error.code() == URLError::Code::pageReadLimitExceeded);
        return 0;
    }
    const WebPage& page = *read;

    if (page.title) FUZZ_CHECK(!page.title->empty() && isCollapsed(*page.title));
    for (const std::string_view line : page.lines) {
        FUZZ_CHECK(!line.empty() && isCollapsed(line));
    }
    // Every link offered can be loaded: an http or https address with a host, not too long.
    for (const auto& link : page.links) {
        const std::string scheme = link.url.scheme();
        FUZZ_CHECK(scheme == "http" || scheme == "https");
        FUZZ_CHECK(link.url.absoluteString().size() <= URLSession::kMaximumURLLength);
        FUZZ_CHECK(URL::make(link.url.absoluteString()) == link.url);
        FUZZ_CHECK(isCollapsed(link.text));
    }
    return 0;
}
