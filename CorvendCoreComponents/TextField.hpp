#pragma once

#include <optional>
#include <string>

#include "CorvendCoreComponents/ViewWithPreferredMaxLayoutWidth.hpp"
#include "platform/ui/ImageView.hpp"
#include "platform/ui/TextField.hpp"

namespace corvend::components {

enum class TextFieldStyle { enabled, disabled, readOnly };

// The library's text field: a placeholder, a text under the field (the helper text, or in the
// error state the error text, with the theme's error image) and optional leading and trailing
// views. Open for subclassing; a subclass that decides edits itself calls
// shouldChangeCharacters of this class first, which refuses every edit while read-only.
class TextField : public platform::ui::TextField, public ViewWithPreferredMaxLayoutWidth {
  public:
    TextField();

    virtual void setPlaceholderText(std::optional<std::string> text);
    virtual void setHelperText(std::optional<std::string> text);
    void setErrorText(std::optional<std::string> text);
    // True enters the error state with an empty error text; false leaves it and clears the
    // error text. Either way the field is laid out again.
    void setHasError(bool hasError);
    void setTextFieldStyle(TextFieldStyle style);
    // Installs the view as the field's left or right view, always visible, and asks for a
    // new layout.
    void setLeadingView(platform::ui::ViewPtr view);
    void setTrailingView(platform::ui::ViewPtr view);

    const std::optional<std::string>& helperText() const { return helperText_; }
    const std::optional<std::string>& errorText() const { return errorText_; }
    bool hasError() const { return hasError_; }
    TextFieldStyle textFieldStyle() const { return style_; }

    double preferredMaxLayoutWidth() const override { return preferredMaxLayoutWidth_; }
    void setPreferredMaxLayoutWidth(double width) override { preferredMaxLayoutWidth_ = width; }

  protected:
    bool shouldChangeCharacters(platform::ui::TextRange range,
                                const std::string& replacement) override;
    // The field's line, then "helper: …" or, in the error state, "error: …".
    void appendSnapshot(std::vector<std::string>& lines) const override;

  private:
    void applyStyle();

    std::optional<std::string> helperText_;
    std::optional<std::string> errorText_;
    std::shared_ptr<platform::ui::ImageView> errorImage_;
    double preferredMaxLayoutWidth_ = 0;
    TextFieldStyle style_ = TextFieldStyle::enabled;
    bool hasError_ = false;
};

}  // namespace corvend::components
