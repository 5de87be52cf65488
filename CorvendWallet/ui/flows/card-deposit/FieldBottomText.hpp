#pragma once

#include <string>

namespace corvend {

// The one text under a card field: an error (the field in its error state) or a helper text.
struct FieldBottomText {
    enum class Kind { error, helper };

    Kind kind = Kind::helper;
    std::string text;

    static FieldBottomText error(std::string text) { return {Kind::error, std::move(text)}; }
    static FieldBottomText helper(std::string text) { return {Kind::helper, std::move(text)}; }

    friend bool operator==(const FieldBottomText&, const FieldBottomText&) = default;
};

}  // namespace corvend
