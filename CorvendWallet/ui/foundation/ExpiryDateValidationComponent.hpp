#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace corvend {

// The month and two-digit year (25 for 2025) of a typed expiry date.
struct ExpiryDateValidationComponent {
    std::int64_t month = 0;
    std::int64_t year = 0;

    // Reads "MM/YY": the text is split once at "/", and empty pieces are dropped without using
    // up that split, so "/12/25" reads 12 and 25 while "12/25/" reads 12 and "25/". Fewer than
    // two pieces give nullopt; a piece that is no base-10 integer (optional sign) reads as 0.
    static std::optional<ExpiryDateValidationComponent> parse(std::string_view text);

    friend bool operator==(const ExpiryDateValidationComponent&,
                           const ExpiryDateValidationComponent&) = default;
};

}  // namespace corvend
