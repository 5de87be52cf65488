#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CorvendWallet/ui/foundation/CardTextFormatting.hpp"
#include "fuzz/FuzzCheck.hpp"
#include "platform/foundation/Unicode.hpp"

namespace {

namespace unicode = corvend::platform::unicode;
using corvend::platform::UTF16Range;

constexpr std::size_t kExpiryLength = 5;
constexpr std::size_t kMonthLength = 2;

}  // namespace

// Input: the edit's location, length and the byte where the field's text ends and the
// replacement begins, then the text and the replacement.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const UTF16Range range{data[0], data[1]};
    const std::string_view rest(reinterpret_cast<const char*>(data + 3), size - 3);
    const std::size_t split = std::min<std::size_t>(data[2], rest.size());
    const std::string_view before = rest.substr(0, split);
    const std::string_view replacement = rest.substr(split);
    const bool digits = replacement.empty() || unicode::allDecimalDigits(replacement);

    const std::string masked = corvend::cardNumberMask(rest);
    FUZZ_CHECK(corvend::cardNumberMask(masked) == masked);

    // An edit the field applies fits the text and keeps it within five characters; digits
    // typed at position 1 or 2 leave a slash unless there is no month yet. An edit made here is
    // the plain edit with the slash after its second character.
    std::string text(before);
    const std::optional<std::string> plain =
        unicode::replacingUTF16Range(before, range, replacement);
    const bool afterMonthStart = range.location >= 1 && range.location <= kMonthLength;
    if (corvend::editExpiryDateText(text, range, replacement)) {
        FUZZ_CHECK(digits && plain && range.location <= 4);
        FUZZ_CHECK(unicode::characterCount(*plain) <= kExpiryLength);
        if (!replacement.empty() && afterMonthStart) {
            FUZZ_CHECK(plain->find('/') != std::string::npos ||
                       unicode::characterCount(*plain) < kMonthLength);
        }
    } else if (text != before) {
        FUZZ_CHECK(digits && plain && !replacement.empty() && afterMonthStart);
        FUZZ_CHECK(plain->find('/') == std::string::npos);
        FUZZ_CHECK(unicode::characterCount(text) <= kExpiryLength);
        const std::vector<std::size_t> boundaries = unicode::characterBoundaries(*plain);
        FUZZ_CHECK(boundaries.size() > kMonthLength);
        const std::size_t slash = boundaries[kMonthLength];
        FUZZ_CHECK(text == plain->substr(0, slash) + "/" + plain->substr(slash));
    }

    const std::size_t maxLength = data[0] % 5;
    if (corvend::acceptsCvvInput(before, range, replacement, maxLength)) {
        FUZZ_CHECK(digits && plain && unicode::characterCount(*plain) <= maxLength);
    }
    return 0;
}
