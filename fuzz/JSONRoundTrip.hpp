#pragma once

#include <charconv>
#include <chrono>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "CorvendWallet/networking/SharedCoders.hpp"
#include "fuzz/FuzzCheck.hpp"
#include "platform/json/DecodingError.hpp"
#include "platform/json/JSONDecoder.hpp"
#include "platform/json/JSONEncoder.hpp"

namespace corvend::fuzz {

// Dates travel as their microsecond count, so the second decode sees exactly what the first made.
inline const platform::JSONEncoder& exactEncoder() {
    static const platform::JSONEncoder encoder = [] {
        platform::JSONEncoder e;
        e.setDateEncodingStrategy(
            [](const platform::Date& date) -> std::variant<double, std::string> {
                return std::to_string(date.timePoint().time_since_epoch().count());
            });
        return e;
    }();
    return encoder;
}

inline const platform::JSONDecoder& exactDecoder() {
    static const platform::JSONDecoder decoder = [] {
        platform::JSONDecoder d;
        d.setDateDecodingStrategy([](std::string_view text) {
            std::int64_t micros = 0;
            const auto [end, error] = std::from_chars(text.begin(), text.end(), micros);
            FUZZ_CHECK(error == std::errc() && end == text.end());
            return platform::Date(platform::Date::TimePoint(std::chrono::microseconds(micros)));
        });
        return d;
    }();
    return decoder;
}

// Reads the input as a reply of type T with the kit's reply decoder. Whatever it accepts must
// encode, decode again to an equal value, and encode to the same bytes.
template <class T>
int roundTrip(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    T value;
    try {
        value = sharedResponseDecoder().decode<T>(text);
    } catch (const platform::DecodingError&) {
        return 0;
    }
    const platform::Data encoded = exactEncoder().encode(value);
    const T again = exactDecoder().decode<T>(encoded);
    if constexpr (std::equality_comparable<T>) FUZZ_CHECK(again == value);
    FUZZ_CHECK(exactEncoder().encode(again) == encoded);
    return 0;
}

}  // namespace corvend::fuzz
