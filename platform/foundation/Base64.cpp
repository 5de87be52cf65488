#include "platform/foundation/Base64.hpp"

#include <array>
#include <cstdint>

namespace corvend::platform::base64 {

namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr std::uint8_t kInvalid = 0xFF;

constexpr std::array<std::uint8_t, 256> kValues = [] {
    std::array<std::uint8_t, 256> values{};
    values.fill(kInvalid);
    for (std::size_t i = 0; i < kAlphabet.size(); ++i) {
        values[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::uint8_t>(i);
    }
    return values;
}();

}  // namespace

std::string encode(std::string_view bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const std::uint32_t group = std::uint32_t{static_cast<unsigned char>(bytes[i])} << 16 |
                                    std::uint32_t{static_cast<unsigned char>(bytes[i + 1])} << 8 |
                                    static_cast<unsigned char>(bytes[i + 2]);
        out += kAlphabet[group >> 18];
        out += kAlphabet[(group >> 12) & 0x3F];
        out += kAlphabet[(group >> 6) & 0x3F];
        out += kAlphabet[group & 0x3F];
    }
    if (const std::size_t rest = bytes.size() - i; rest > 0) {
        std::uint32_t group = std::uint32_t{static_cast<unsigned char>(bytes[i])} << 16;
        if (rest == 2) group |= std::uint32_t{static_cast<unsigned char>(bytes[i + 1])} << 8;
        out += kAlphabet[group >> 18];
        out += kAlphabet[(group >> 12) & 0x3F];
        out += rest == 2 ? kAlphabet[(group >> 6) & 0x3F] : '=';
        out += '=';
    }
    return out;
}

std::optional<std::string> decode(std::string_view text) {
    if (text.size() % 4 != 0) return std::nullopt;
    std::size_t padding = 0;
    if (text.ends_with("==")) {
        padding = 2;
    } else if (text.ends_with('=')) {
        padding = 1;
    }
    const std::size_t digits = text.size() - padding;
    std::string out;
    out.reserve(text.size() / 4 * 3);
    std::uint32_t bits = 0;
    int bitCount = 0;
    for (std::size_t i = 0; i < digits; ++i) {
        const std::uint8_t value = kValues[static_cast<unsigned char>(text[i])];
        if (value == kInvalid) return std::nullopt;  // "=" inside the text lands here too
        bits = (bits << 6) | value;
        bitCount += 6;
        if (bitCount >= 8) {
            bitCount -= 8;
            out += static_cast<char>((bits >> bitCount) & 0xFF);
        }
    }
    // The bits left over fill the last group only to a character boundary: they must be zero.
    if ((bits & ((1u << bitCount) - 1)) != 0) return std::nullopt;
    return out;
}

}  // namespace corvend::platform::base64
