#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/ui/Color.hpp"
#include "platform/ui/Font.hpp"
#include "platform/ui/TextAttributes.hpp"

namespace corvend::platform::ui {

// The attributes of one run of text; an absent attribute is not set.
struct TextRunAttributes {
    std::optional<Font> font;
    ColorPtr foregroundColor;
    std::optional<double> minimumLineHeight;
    std::optional<double> maximumLineHeight;
    std::optional<double> baselineOffset;
    std::optional<TextAlignment> alignment;
    std::optional<LineBreakMode> lineBreakMode;
    // A link's value, handed to the tap handler of a label that shows links.
    std::optional<std::string> link;
};

// Text with attributes, as an ordered list of runs (UTF-8). A value: made, copied and changed
// on any thread.
class AttributedString {
  public:
    struct Run {
        std::string text;
        TextRunAttributes attributes;
    };

    AttributedString() = default;
    explicit AttributedString(std::string text, TextRunAttributes attributes = {});

    // The plain text of all runs.
    std::string string() const;
    const std::vector<Run>& runs() const { return runs_; }
    bool empty() const { return runs_.empty(); }

    void append(const AttributedString& other);
    // Sets `attributes` on the whole text: each set attribute replaces that attribute of every
    // run; unset ones leave the runs' own.
    void addAttributes(const TextRunAttributes& attributes);
    // The same for the text from byte `begin` on, `length` bytes long (UTF-8), splitting runs
    // at both ends; a range past the end is cut at the end.
    void addAttributes(const TextRunAttributes& attributes, std::size_t begin, std::size_t length);

  private:
    std::vector<Run> runs_;
};

}  // namespace corvend::platform::ui
