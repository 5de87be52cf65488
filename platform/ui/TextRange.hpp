#pragma once

namespace corvend::platform::ui {

// A range of a text in UTF-16 code units, as text fields count.
struct TextRange {
    int location = 0;
    int length = 0;

    int end() const { return location + length; }
    friend bool operator==(const TextRange&, const TextRange&) = default;
};

}  // namespace corvend::platform::ui
