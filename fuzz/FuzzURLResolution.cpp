#include <boost/url/pct_string_view.hpp>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CorvendWallet/foundation/WalletError.hpp"
#include "CorvendWallet/networking/PathSegment.hpp"
#include "fuzz/FuzzCheck.hpp"
#include "platform/url/URL.hpp"
#include "platform/url/URLComponents.hpp"

namespace {

using corvend::platform::URL;
using corvend::platform::URLComponents;
using corvend::platform::URLQueryItem;

bool isHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The next line of the input (without its "\n"); the rest stays in `input`.
std::string_view nextLine(std::string_view& input) {
    const std::size_t end = input.find('\n');
    const std::string_view line = input.substr(0, end);
    input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
    return line;
}

}  // namespace

// Input: a base URL, an identifier and a URL reference, one per line.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string_view baseText = nextLine(input);
    const std::string_view identifier = nextLine(input);
    const std::string_view referenceText = input;

    const std::optional<URL> base = URL::make(baseText);
    if (base) FUZZ_CHECK(URL::make(base->absoluteString()) == base);

    if (const auto reference = URLComponents::parse(referenceText)) {
        const auto again = URLComponents::parse(reference->string());
        FUZZ_CHECK(again && again->string() == reference->string());
        if (const auto resolved = base ? reference->url(*base) : std::nullopt) {
            // A resolved URL is absolute: it parses again and stands on its own.
            FUZZ_CHECK(URL::make(resolved->absoluteString()) == resolved);
            const auto absolute = URLComponents::parse(resolved->absoluteString());
            FUZZ_CHECK(absolute && absolute->url(*base) == resolved);
        }
    }

    std::string segment;
    try {
        segment = corvend::pathSegment(identifier);
    } catch (const corvend::model::WalletError&) {
        FUZZ_CHECK(identifier.empty() || identifier == "." || identifier == "..");
        return 0;
    }
    FUZZ_CHECK(!identifier.empty() && identifier != "." && identifier != "..");
    for (std::size_t i = 0; i < segment.size(); ++i) {
        FUZZ_CHECK(segment[i] != '/' && segment[i] != '?' && segment[i] != '#');
        if (segment[i] == '%') {
            FUZZ_CHECK(i + 2 < segment.size() && isHex(segment[i + 1]) && isHex(segment[i + 2]));
        }
    }
    const auto escaped = boost::urls::make_pct_string_view(segment);
    FUZZ_CHECK(escaped.has_value() && escaped->decode() == identifier);

    // The segment reaches the resolved path as sent, and query items survive as given.
    auto components = URLComponents::parse("collection/" + segment);
    FUZZ_CHECK(components.has_value());
    const std::vector<URLQueryItem> items{{std::string(identifier), std::string(referenceText)},
                                          {"k", std::nullopt}};
    components->setQueryItems(items);
    FUZZ_CHECK(components->queryItems() == items);
    if (base) {
        const auto resolved = components->url(*base);
        FUZZ_CHECK(resolved.has_value());
        FUZZ_CHECK(resolved->path().ends_with("/collection/" + segment));
        const auto sent = URLComponents::parse(resolved->absoluteString());
        FUZZ_CHECK(sent && sent->queryItems() == items);
    }
    return 0;
}
