#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "CorvendWallet/ui/foundation/LocalizedStrings.hpp"
#include "fuzz/FuzzCheck.hpp"
#include "platform/foundation/Bundle.hpp"
#include "platform/foundation/Locale.hpp"
#include "platform/foundation/StringFormat.hpp"

namespace {

using corvend::LocalizedStrings;
using corvend::platform::Bundle;
using corvend::platform::FormatArgument;
using corvend::platform::Locale;

// A text formatted without arguments: every placeholder stays, each "%%" becomes "%".
std::string withoutDoubledPercents(std::string_view text) {
    std::string out;
    for (std::size_t at = 0; at < text.size(); ++at) {
        out.push_back(text[at]);
        if (text[at] == '%' && at + 1 < text.size() && text[at + 1] == '%') ++at;
    }
    return out;
}

}  // namespace

// Input: a strings table, read as the kit's current (German) localisation over an English
// table that holds the key "k"; each entry is looked up and formatted.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool localeSet = (Locale::setCurrent(Locale("de_DE")), true);
    (void)localeSet;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto table = corvend::platform::parseStringsTable(text);

    auto kit = std::make_shared<Bundle>("kit");
    kit->addStrings("de", "Localizable", table);
    kit->addStrings("en", "Localizable", {{"k", "english"}});
    const LocalizedStrings strings(kit, std::make_shared<Bundle>("host"));
    const std::array<FormatArgument, 3> arguments{std::string("a%@b"), std::int64_t{-7}, 2.5};

    std::size_t checked = 0;
    for (const auto& [key, value] : table) {
        if (++checked > 32) break;
        const auto found = strings.localized(key, "Localizable");
        const auto fallback = key == "k" ? std::string("english") : key;
        FUZZ_CHECK(found == (value == LocalizedStrings::kSentinel ? fallback : value));
        FUZZ_CHECK(strings.localizedFormatted(key, {}) == withoutDoubledPercents(found));
        (void)strings.localizedFormatted(key, arguments);
        FUZZ_CHECK(strings.hostLocalized(found) == found);
    }
    FUZZ_CHECK(corvend::platform::formatString(text, {}, Locale("en_US")) ==
               withoutDoubledPercents(text));
    (void)corvend::platform::formatString(text, arguments, Locale("fr_FR"));
    return 0;
}
